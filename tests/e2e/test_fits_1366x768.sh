# On a 1366 x 768 screen the editor's window lies wholly on the screen, and every section tab and
# every panel row is shown and takes clicks and typing.
E2E_SCREEN=1366x768
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_check_fitted_editor
