#!/usr/bin/env bash
# check_wendlesrc.sh RUNNER WENDLESRC.exe — the built program's exit status
# is the reverse of the usual one: 1 when the key was written, 0 when not.
set -uo pipefail
runner=$1 program=$2
status=0
expect() { # expected-status expected-first-line actual-status actual-output
  local line=${4%%$'\r'*}
  line=${line%%$'\n'*}
  if [ "$3" != "$1" ] || [ "$line" != "$2" ]; then
    echo "expected status $1 and '$2', got status $3 and '$4'"
    status=1
  fi
}
out=$(env -u WENDLE_PATH "$runner" "$program" 'C:\vrk')
expect 1 'WDL200I ADD REGISTRY KEY(SYSTEM\CurrentControlSet\Services\EventLog\Application\vrk) COMPLETED' $? "$out"
out=$(env -u WENDLE_PATH "$runner" "$program")
expect 0 'WDL201E ENVIRONMENT(WENDLE_PATH) CANNOT READ' $? "$out"
exit $status
