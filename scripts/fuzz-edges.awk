# Sums the covered edges of libFuzzer's -print_coverage=1 report by where the
# code of each function lives: under test (the project's sources outside
# tests/), the harness and its stand-ins (tests/), and everything else (the
# C++ library's templates, instantiated in both). Prints the three sums.
# Set `root` to the source folder with a trailing slash.
#   COVERED_FUNC: hits: 12 edges: 3/8 <function, may hold spaces> <file>:<line>
/^COVERED_FUNC:/ {
  edges = $0
  sub(/.* edges: /, "", edges)
  sub(/\/.*/, "", edges)
  file = $NF
  sub(/:[0-9]+$/, "", file)
  # Sources are named from a build tree, which may be another checkout's
  # when the compiler cache had the object.
  if (!sub(/^.*\/build\/[^\/]+\/\.\.\/\.\.\//, "", file) && !sub(/^(\.\.\/)+/, "", file) &&
      index(file, root) == 1)
    file = substr(file, length(root) + 1)
  if (file ~ /^tests\//) harness += edges
  else if (file ~ /^\// || file !~ /\//) library += edges
  else tested += edges
}
END { printf "%d %d %d\n", tested, harness, library }
