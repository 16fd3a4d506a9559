-- First-run template "matchinfo.md_": an empty database of version 8 with its settings row.
-- The school name is a placeholder until a new database file carries the real one over.
INSERT INTO License (Seq, school, Version) VALUES (1, 'Sample School', '8.0');
