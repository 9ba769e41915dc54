-- A class's database, version 1. scripts/class-server runs it once, in one
-- transaction, as the database's owner, with the psql variables `teachers`
-- and `learners` naming the class's two group roles. Who may read or write
-- what is decided here, on the server: a changed Wordwell gains nothing.

CREATE TABLE schema_info (version integer NOT NULL);
INSERT INTO schema_info VALUES (1);

-- Everyone with a login to the class: the name is what Wordwell shows and
-- keeps results under; a removed learner's row stays with their results.
CREATE TABLE members (
    role name PRIMARY KEY,
    name text NOT NULL CHECK (length(name) BETWEEN 1 AND 40),
    teacher boolean NOT NULL DEFAULT false,
    removed_at timestamptz
);

-- The id is made on the learner's computer when the test ends: a result sent
-- again after a lost answer is the same row, never a second one.
CREATE TABLE results (
    uid uuid PRIMARY KEY,
    learner name NOT NULL DEFAULT current_user,
    list_name text NOT NULL,
    taken_at timestamptz NOT NULL,
    words integer NOT NULL CHECK (words >= 0),
    right_answers integer NOT NULL CHECK (right_answers BETWEEN 0 AND words),
    stopped boolean NOT NULL,
    practice boolean NOT NULL,
    received_at timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX results_by_learner ON results (learner, list_name, taken_at);

CREATE TABLE answers (
    result_uid uuid NOT NULL REFERENCES results (uid),
    position integer NOT NULL,
    learner name NOT NULL DEFAULT current_user,
    word text NOT NULL,
    answer text NOT NULL,
    right_answer boolean NOT NULL,
    PRIMARY KEY (result_uid, position)
);

CREATE TABLE lists (
    id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    title text NOT NULL CHECK (length(title) BETWEEN 1 AND 200),
    due date,
    archive bytea NOT NULL,
    published_at timestamptz NOT NULL DEFAULT now(),
    teacher name NOT NULL DEFAULT current_user
);

REVOKE ALL ON schema_info, members, results, answers, lists FROM PUBLIC;
GRANT SELECT ON schema_info, members, lists TO :"teachers", :"learners";
GRANT SELECT ON results, answers TO :"teachers", :"learners";
-- Learners add results and nothing else; nobody but the owner updates or deletes.
GRANT INSERT ON results, answers TO :"learners";
GRANT INSERT (title, due, archive) ON lists TO :"teachers";

ALTER TABLE members ENABLE ROW LEVEL SECURITY;
ALTER TABLE results ENABLE ROW LEVEL SECURITY;
ALTER TABLE answers ENABLE ROW LEVEL SECURITY;
ALTER TABLE lists ENABLE ROW LEVEL SECURITY;

CREATE POLICY members_own ON members FOR SELECT TO :"learners" USING (role = current_user);
CREATE POLICY members_all ON members FOR SELECT TO :"teachers" USING (true);

CREATE POLICY results_own ON results FOR SELECT TO :"learners" USING (learner = current_user);
CREATE POLICY results_add ON results FOR INSERT TO :"learners" WITH CHECK (learner = current_user);
CREATE POLICY results_all ON results FOR SELECT TO :"teachers" USING (true);

-- An answer belongs to one of the learner's own results (a result they cannot
-- read is not theirs).
CREATE POLICY answers_own ON answers FOR SELECT TO :"learners" USING (learner = current_user);
CREATE POLICY answers_add ON answers FOR INSERT TO :"learners"
    WITH CHECK (learner = current_user
                AND EXISTS (SELECT 1 FROM results r WHERE r.uid = result_uid AND r.learner = current_user));
CREATE POLICY answers_all ON answers FOR SELECT TO :"teachers" USING (true);

CREATE POLICY lists_read ON lists FOR SELECT TO :"teachers", :"learners" USING (true);
CREATE POLICY lists_publish ON lists FOR INSERT TO :"teachers" WITH CHECK (teacher = current_user);
