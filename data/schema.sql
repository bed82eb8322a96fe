-- Thumbs.mdb: shipped conversion tables and symbol lists, plus the empty
-- thumbnail cache that both programs fill.
CREATE TABLE BTZ(id INTEGER PRIMARY KEY, Text);
CREATE TABLE FHList(type, text, desc);
CREATE TABLE tblThumbnail(Path TEXT NOT NULL COLLATE NOCASE, Date TEXT, Thumbnail BLOB);
CREATE UNIQUE INDEX IDPath ON tblThumbnail(Path);
-- Multi-line rows hold CR LF between their lines; the text sources keep LF.
INSERT INTO BTZ VALUES(1, CAST(readfile('btz/1.txt') AS TEXT));
INSERT INTO BTZ VALUES(2, CAST(readfile('btz/2.txt') AS TEXT));
INSERT INTO BTZ VALUES(3, CAST(readfile('btz/3.txt') AS TEXT));
INSERT INTO BTZ VALUES(11, CAST(readfile('btz/11.txt') AS TEXT));
INSERT INTO BTZ VALUES(4, replace(CAST(readfile('btz/4.txt') AS TEXT), char(10), char(13, 10)));
INSERT INTO BTZ VALUES(8, replace(CAST(readfile('btz/8.txt') AS TEXT), char(10), char(13, 10)));
.mode ascii
.separator "\t" "\n"
.import fhlist.tsv FHList
