# The scale-2 scenario with the desktop's scale stated as Xft.dpi: 192 in the X resources, no XSETTINGS.
E2E_SCALE_WAY=xft
source "$(dirname "$0")/test_fits_scale2.sh"
