# The scale-2 scenario with the desktop's scale stated by GDK_SCALE=2 in the editor's environment, no XSETTINGS.
E2E_SCALE_WAY=gdk
source "$(dirname "$0")/test_fits_scale2.sh"
