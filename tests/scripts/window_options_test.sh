#!/usr/bin/env bash
# The window's command line: --help and --version answer on the terminal without a display,
# mistakes are refused with status 2, and --snapshot FILE shows the recorded machine.
#   window_options_test.sh HARDLENS VERSION TEST_DATA
set -uo pipefail
exe=$1 version=$2 data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/hardlens"

failures=0
check() { # check DESCRIPTION EXPECTED_STATUS COMMAND...: runs it, then the assertions read out/err
  local what=$1 want=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
  status=$?
  if [ "$status" -ne "$want" ]; then
    echo "FAIL: $what: exit status $status, expected $want"
    cat "$work/err"
    failures=$((failures + 1))
    return 1
  fi
}
expect() { # expect DESCRIPTION FILE GREP_ARGS...
  local what=$1 file=$2
  shift 2
  grep -q "$@" "$work/$file" || {
    echo "FAIL: $what: $file lacks $*"
    cat "$work/$file"
    failures=$((failures + 1))
  }
}

# No display at all: --help and --version must not need one.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
for flag in --help -h; do
  check "$flag" 0 "${headless[@]}" "$exe" "$flag" &&
    expect "$flag" out -e '--snapshot FILE' && expect "$flag" out -e '--version'
done
for flag in --version -V; do
  check "$flag" 0 "${headless[@]}" "$exe" "$flag" && expect "$flag" out -x "hardlens $version"
done
check "--snapshot without a file" 2 "${headless[@]}" "$exe" --snapshot &&
  expect "--snapshot without a file" err -e '--snapshot needs a file name'
check "--snapshot= empty" 2 "${headless[@]}" "$exe" --snapshot= &&
  expect "--snapshot= empty" err -e '--snapshot needs a file name'

# What Qt does not take is refused, after Qt has taken its own options.
check "unknown option" 2 env QT_QPA_PLATFORM=offscreen "$exe" -platform offscreen --frobnicate &&
  expect "unknown option" err -e 'unknown argument "--frobnicate"'

# The recorded machine, in both spellings, with a transparency the offscreen platform cannot
# show: the window starts, shows its first section, quits, and says nothing about opacity.
printf 'Transparencia=40\n' >"$XDG_CONFIG_HOME/hardlens/settings"
for form in "--snapshot $data/machines/rich.json" "--snapshot=$data/machines/rich.json"; do
  # shellcheck disable=SC2086 # the form is two words or one on purpose
  check "$form" 0 env QT_QPA_PLATFORM=offscreen HARDLENS_EXIT_AFTER_FIRST_SECTION=1 \
    timeout 120 "$exe" $form &&
    expect "$form" out -e 'first section shown' &&
    if grep -qi opacity "$work/err"; then
      echo "FAIL: $form: the opacity warning reached stderr"
      failures=$((failures + 1))
    fi
done

[ "$failures" -eq 0 ] && echo "window options: all checks passed"
exit $((failures > 0))
