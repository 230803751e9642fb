# Collects the goal counters of benchmark console output (goal_<name>=ratio
# and min_<name>=needed on a benchmark's line) into one Markdown table.
# Usage: awk -f scripts/bench-goals.awk build/bench/*.txt
function value(text,    n, unit) {
  n = text + 0
  unit = substr(text, length(text))
  if (unit == "k") n *= 1e3
  else if (unit == "M") n *= 1e6
  else if (unit == "m") n /= 1e3
  else if (unit == "u") n /= 1e6
  return n
}
BEGIN {
  print "| benchmark | goal | ratio | needed | met |"
  print "|---|---|---|---|---|"
}
/^BM_/ {
  delete ratio
  delete needed
  for (i = 2; i <= NF; i++) {
    if (split($i, kv, "=") != 2) continue
    if (kv[1] ~ /^goal_/) ratio[substr(kv[1], 6)] = value(kv[2])
    else if (kv[1] ~ /^min_/) needed[substr(kv[1], 5)] = value(kv[2])
  }
  for (name in ratio) {
    met = ratio[name] >= needed[name] ? "yes" : "no"
    printf "| %s | %s | %.2f | %.2f | %s |\n", $1, name, ratio[name], needed[name], met
  }
}
