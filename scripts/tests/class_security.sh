#!/usr/bin/env bash
# A class database's rules, tried by each member through their own login on
# the test cluster (WW_CLASS_CLUSTER_ENV): what the server refuses, a changed
# Wordwell cannot do either.
set -euo pipefail
set -a
# shellcheck source=/dev/null
source "$WW_CLASS_CLUSTER_ENV"
set +a
server=${WW_CLASS_SERVER:-$(dirname "$0")/../class-server}
class=sec_$$_$RANDOM
hostile="O'Brien; '; DROP TABLE results; --"
failures=0

check() { # WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}
# as CONNINFO SQL: the rows, or the server's error, with no password but the member's own.
as() { env -u PGPASSWORD psql -X -tA -q -v ON_ERROR_STOP=1 "$1" -c "$2" 2>&1 | sed 's/^psql:[^E]*ERROR: *//'; }
refused() { # WHAT PATTERN CONNINFO SQL
  local out
  out=$(as "$3" "$4") || true
  if [[ "$out" == *"$2"* ]]; then check "$1" refused refused; else check "$1" "refused ($2)" "$out"; fi
}
member() { "$server" "add-$1" "$class" "$2" "$3" | tail -1; }

"$server" create "$class" >/dev/null
teacher=$(member teacher "${class}_t" "Ms T")
a=$(member learner "${class}_a" "Ann")
b=$(member learner "${class}_b" "$hostile")
uid_a=$(cat /proc/sys/kernel/random/uuid)
uid_b=$(cat /proc/sys/kernel/random/uuid)
result="(uid, list_name, taken_at, words, right_answers, stopped, practice)"

check "a learner adds a result of their own" "${class}_a" \
  "$(as "$a" "INSERT INTO results $result VALUES ('$uid_a', 'Week 1', now(), 3, 2, false, false) RETURNING learner")"
check "and its answers" "1" \
  "$(as "$a" "INSERT INTO answers (result_uid, position, word, answer, right_answer) VALUES ('$uid_a', 1, 'cat', 'cat', true) RETURNING position")"
as "$b" "INSERT INTO results $result VALUES ('$uid_b', 'Week 1', now(), 1, 1, false, false);
         INSERT INTO answers (result_uid, position, word, answer, right_answer) VALUES ('$uid_b', 1, 'dog', 'dgo', false)" >/dev/null
check "a result sent again is stored once" "1" \
  "$(as "$a" "INSERT INTO results $result VALUES ('$uid_a', 'Week 1', now(), 3, 2, false, false) ON CONFLICT (uid) DO NOTHING;
              SELECT count(*) FROM results WHERE uid = '$uid_a'")"

refused "a learner adds a result as another" "row-level security" "$a" \
  "INSERT INTO results (learner, uid, list_name, taken_at, words, right_answers, stopped, practice)
   VALUES ('${class}_b', gen_random_uuid(), 'Week 1', now(), 1, 1, false, false)"
refused "a learner adds an answer to another's result" "row-level security" "$a" \
  "INSERT INTO answers (result_uid, position, word, answer, right_answer) VALUES ('$uid_b', 2, 'x', 'x', true)"
check "a learner sees only their own results" "1 0" "$(as "$a" "SELECT count(*) FILTER (WHERE uid = '$uid_a'), count(*) FILTER (WHERE uid <> '$uid_a') FROM results" | tr '|' ' ')"
check "a learner sees no one else's answers" "0" "$(as "$a" "SELECT count(*) FROM answers WHERE result_uid = '$uid_b'")"
check "a learner sees only their own member row" "${class}_a" "$(as "$a" "SELECT string_agg(role, ',') FROM members")"
for statement in "UPDATE results SET right_answers = 3" "DELETE FROM results" "UPDATE answers SET answer = 'cat'" \
                 "DELETE FROM answers" "UPDATE members SET name = 'x'" "DELETE FROM lists" "UPDATE schema_info SET version = 9"; do
  refused "a learner may not: $statement" "permission denied" "$a" "$statement"
done
refused "a learner may not publish a list" "permission denied" "$a" "INSERT INTO lists (title, archive) VALUES ('Mine', '\\x00')"

check "the teacher reads both learners' results" "2" "$(as "$teacher" "SELECT count(DISTINCT learner) FROM results")"
check "and both learners' answers" "2" "$(as "$teacher" "SELECT count(*) FROM answers")"
check "the teacher publishes a list" "${class}_t" \
  "$(as "$teacher" "INSERT INTO lists (title, due, archive) VALUES ('Week 2', '2030-01-31', '\\x504b0304') RETURNING teacher")"
refused "the teacher may not publish as another" "permission denied" "$teacher" \
  "INSERT INTO lists (title, archive, teacher) VALUES ('Week 3', '\\x00', '${class}_a')"
refused "the teacher may not add results" "permission denied" "$teacher" \
  "INSERT INTO results $result VALUES (gen_random_uuid(), 'Week 1', now(), 1, 1, false, false)"
refused "the teacher may not change a result" "permission denied" "$teacher" "UPDATE results SET right_answers = 0"
check "a hostile display name is stored exactly" "$hostile" \
  "$(as "$teacher" "SELECT name FROM members WHERE role = '${class}_b'")"

"$server" create "${class}_x" >/dev/null
refused "a learner may not enter another class" "permission denied for database" "${a/dbname=$class/dbname=${class}_x}" "SELECT 1"

check "migrate again changes nothing" "Class $class is up to date (version 1).|1" \
  "$("$server" migrate "$class")|$(psql -X -tA -d "$class" -c "SELECT count(*) FROM schema_info")"
psql -X -q -d "${class}_x" -c "UPDATE schema_info SET version = 99"
check "migrate refuses a database newer than its scripts" "refused" \
  "$("$server" migrate "${class}_x" >/dev/null 2>&1 && echo migrated || echo refused)"
"$server" remove-learner "$class" "${class}_a" >/dev/null
check "a removed learner's results stay" "1" "$(as "$teacher" "SELECT count(*) FROM results WHERE learner = '${class}_a'")"
check "and is marked removed" "t" "$(as "$teacher" "SELECT removed_at IS NOT NULL FROM members WHERE role = '${class}_a'")"
refused "a removed learner cannot sign in" "password authentication failed" "$a" "SELECT 1"

echo "$failures failed"
[ "$failures" -eq 0 ]
