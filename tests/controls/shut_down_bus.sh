#!/usr/bin/env bash
# Runs the tests of the shut-down and restart questions answered Yes against a mock of the login
# manager (python3-dbusmock's logind template) on a private bus that this script starts: the
# program finds its "system bus" through DBUS_SYSTEM_BUS_ADDRESS, pointed at the private one, so
# the system's own login manager is never asked.
#   tests/controls/shut_down_bus.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
if [ -z "${QM_PRIVATE_BUS:-}" ]; then
  exec env QM_PRIVATE_BUS=1 dbus-run-session -- "$0" "$build"
fi
export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
source "$(dirname "$0")/../e2e/server_lib.sh"
server_begin
/usr/bin/python3 -m dbusmock --template logind >/dev/null 2>&1 &
SERVER_PID=$!
login_manager_ready() {
  dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.login1 2>/dev/null | grep -q "boolean true"
}
server_until 60 login_manager_ready || { echo "shut_down_bus: the mock login manager did not start" >&2; exit 1; }
QM_EXPECT_LOGIN_MOCK=1 QT_QPA_PLATFORM=offscreen "$build/bin/test_controls" --gtest_filter='ShutDownOnMockBus.*'
