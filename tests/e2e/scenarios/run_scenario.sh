#!/usr/bin/env bash
# Runs one scenario in the stand-in player under Wine.
#   run_scenario.sh PLAYER.exe SCENARIO.scn WORK_DIR FIXTURES_DIR EN_DLL CH_DLL
# Directives in the script's leading comment lines:
#   # locale: zh_CN.UTF-8     the Unix locale (Wine's code page follows it)
#   # components: en ch       which DLLs to load, in order (default: en;
#                             "none" loads nothing)
#   # expect failure: LINE: MESSAGE
#                             the run must fail with exactly this report
#                             (for scenarios that prove the runner fails)
set -euo pipefail

player=$1 scenario=$2 work=$3 fixtures=$4 english=${5:-} chinese=${6:-}

wine_path() { local p=$1; echo "Z:${p//\//\\}"; }

locale=en_US.UTF-8
components=en
expected_failure=
while IFS= read -r line; do
  [[ $line =~ ^# ]] || break
  if [[ $line =~ ^#[[:space:]]*locale:[[:space:]]*([^[:space:]]+) ]]; then locale=${BASH_REMATCH[1]}; fi
  if [[ $line =~ ^#[[:space:]]*components:[[:space:]]*(.*)$ ]]; then components=${BASH_REMATCH[1]}; fi
  if [[ $line =~ ^#[[:space:]]*expect\ failure:[[:space:]]*(.*)$ ]]; then expected_failure=${BASH_REMATCH[1]}; fi
done < "$scenario"

args=()
for c in $components; do
  case $c in
    en) dll=$english ;;
    ch) dll=$chinese ;;
    none) continue ;;
    *) echo "$scenario:1: unknown component \"$c\" (en, ch, none)"; exit 1 ;;
  esac
  if [[ -z $dll || ! -f $dll ]]; then
    echo "$scenario:1: the $c component DLL is not built"
    exit 1
  fi
  args+=(--component "$(wine_path "$dll")")
done

rm -rf "$work"
mkdir -p "$work"
export WORK=$work FIXTURES=$fixtures LC_ALL=$locale
status=0
"$(dirname "$0")/../../../scripts/wine-run" "$player" "${args[@]}" \
  --config "$(wine_path "$work/player.cfg")" --script "$(wine_path "$scenario")" \
  > >(tee "$work/output.txt") || status=$?
wait

# Pictures the scenario took, for people to look at.
if [[ -x /usr/bin/convert ]]; then
  for bmp in "$work"/*.bmp; do
    [[ -f $bmp ]] && /usr/bin/convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null || true
  done
fi
if [[ -n $expected_failure ]]; then
  if [[ $status -eq 0 ]]; then
    echo "$scenario: passed, but should have failed with: $expected_failure"
    exit 1
  fi
  if ! grep -qF -- ".scn:$expected_failure" "$work/output.txt"; then
    echo "$scenario: failed, but not with: $expected_failure"
    exit 1
  fi
  exit 0
fi
exit $status
