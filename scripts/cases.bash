# Shell functions the test scripts share; sourced, not run.

# Runs 'batch --check' of one case file with the given command (case files carry bytes: latin1); prints "passed failed" (a run that
# ends without its closing line counts as one failure and shows its output).
count_cases() {
  local file=$1
  shift
  local output
  output=$("$@" batch --check --encoding latin1 "$file" </dev/null 2>&1 | tr -d '\r') || true  # Windows ends lines with CR LF
  local closing
  closing=$(printf '%s\n' "$output" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1 || true)
  if [[ -z "$closing" ]]; then
    printf '%s\n' "$output" >&2
    echo "0 1"
    return
  fi
  if [[ "$closing" != *" 0 failed" ]]; then printf '%s\n' "$output" >&2; fi
  echo "$closing" | sed -E 's/^([0-9]+) passed, ([0-9]+) failed$/\1 \2/'
}

# Runs every case file under tests/cases/ with the given command, prints each file's count, and
# leaves the sums in cases_passed and cases_failed.
sum_cases() {
  cases_passed=0
  cases_failed=0
  local file p f
  for file in tests/cases/*.jsonl; do
    read -r p f < <(count_cases "$file" "$@")
    echo "$(basename "$file"): $p passed, $f failed"
    cases_passed=$((cases_passed + p))
    cases_failed=$((cases_failed + f))
  done
}
