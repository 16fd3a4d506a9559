-- Blank template "Blank_MatchInfo.md_", copied for every new database file: an empty database of
-- version 8 with its settings row (the school name is overwritten as soon as a file is made).
INSERT INTO License (Seq, school, Version) VALUES (1, 'Sample School', '8.0');
