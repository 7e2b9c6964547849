# shellcheck shell=bash disable=SC2154 # product and readonly_list come from the test script
# Checks of the end-to-end test (source it): each check prints its failure with what differed,
# and report_checks ends the run with the count.

checks_passed=0
checks_failed=0

# check DESCRIPTION COMMAND...: runs COMMAND; counts it and prints DESCRIPTION when it fails.
check() {
  local description=$1
  shift
  if "$@"; then
    checks_passed=$((checks_passed + 1))
  else
    checks_failed=$((checks_failed + 1))
    echo "FAILED: $description"
  fi
}

# Prints the count as the closing line, headed by $1 (default end-to-end), and exits 0 only when
# nothing failed.
report_checks() {
  echo "${1:-end-to-end}: $checks_passed passed, $checks_failed failed"
  [ "$checks_failed" -eq 0 ]
}

# same_text ACTUAL EXPECTED: equal texts, or both shown.
same_text() {
  [ "$1" = "$2" ] && return 0
  printf '  expected:\n%s\n  got:\n%s\n' "$2" "$1" | sed 's/^/    /'
  return 1
}

# same_printed FILE FORMAT ARGS...: FILE holds exactly what printf FORMAT ARGS prints.
same_printed() {
  local file=$1
  shift
  # shellcheck disable=SC2059 # the format is the caller's
  cmp -s "$file" <(printf "$@") && return 0
  echo "    $file holds:"
  od -c "$file" 2>&1 | head -20 | sed 's/^/    /'
  return 1
}

# The product's files, relative to its root, sorted.
product_files() { (cd "$product" && find . -type f -printf '%P\n' | LC_ALL=C sort); }

# The files below $1 that the product does not have, sorted.
extra_files() {
  LC_ALL=C comm -13 <(product_files) <(cd "$1" && find . -type f -printf '%P\n' | LC_ALL=C sort)
}

# check_product_installed NAME DIR [SKIP]: every product file, except those whose path matches
# the extended regular expression SKIP, has been installed below DIR byte for byte.
check_product_installed() {
  local name=$1 dir=$2 skip=${3:-'^$'} file differing=()
  while IFS= read -r file; do
    if [[ $file =~ $skip ]]; then continue; fi
    cmp -s "$product/$file" "$dir/$file" || differing+=("$file")
  done < <(product_files)
  check "$name: every product file installed byte for byte" same_text "${differing[*]}" ""
}

# The read-only list's payload paths (.\lib\sym\cap.asy) as relative paths (lib/sym/cap.asy).
read_only_files() {
  tr -d '\r' <"$readonly_list" | sed -e '/^$/d' -e 's|^\.\\||' -e 's|\\|/|g' | LC_ALL=C sort
}

# check_read_only NAME DIR: exactly the listed files lack their owner's write bit, which is how
# Wine shows the read-only attribute.
check_read_only() {
  local name=$1 dir=$2 file owner_write wrong=()
  local -A listed=()
  while IFS= read -r file; do listed[$file]=1; done < <(read_only_files)
  while IFS= read -r file; do
    owner_write=$(stat -c %A "$dir/$file" | cut -c3)
    if [ -n "${listed[$file]:-}" ] && [ "$owner_write" = w ]; then
      wrong+=("$file:writable")
    elif [ -z "${listed[$file]:-}" ] && [ "$owner_write" != w ]; then
      wrong+=("$file:read-only")
    fi
  done < <(product_files)
  check "$name: the ${#listed[@]} listed files read-only, the rest writable" \
    same_text "${wrong[*]}" ""
}

# 1 when $1 starts with a shell link's header: its size (76) and the shell link class.
is_shell_link() {
  [ "$(od -An -tx1 -N20 "$1" 2>/dev/null | tr -d ' \n')" = \
    4c0000000114020000000000c000000000000046 ]
}

# A registry file's string ("C:\\users\\x") as the text it stands for (C:\users\x).
unquote_registry() {
  local text=${1#\"}
  text=${text%\"}
  printf '%s\n' "${text//\\\\/\\}"
}
