-- Thumbs.mdb: shipped conversion tables and symbol lists, plus the empty
-- thumbnail cache that both programs fill and the panel's kept cells.
CREATE TABLE BTZ(id INTEGER PRIMARY KEY, Text);
CREATE TABLE FHList(type, text, desc);
CREATE TABLE tblThumbnail(Path TEXT NOT NULL COLLATE NOCASE, Date TEXT, Thumbnail BLOB);
CREATE UNIQUE INDEX IDPath ON tblThumbnail(Path);
-- The main grid's cells as drawn from their files, kept per file (path and
-- size and times) so that a picture is decoded once.
CREATE TABLE tblFittedCell(Path TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, Stamp TEXT, Cell BLOB);
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
