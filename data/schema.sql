-- SPDX-License-Identifier: GPL-3.0-or-later
-- Tables of the calendar database. Dates are ISO-8601 text (YYYY-MM-DD), so they sort
-- and compare as dates.

-- Fixed-date celebrations of the General Roman Calendar. ID keeps the order of the
-- source file: within a day, the first row is the one the USA assembly acts on.
CREATE TABLE Calendar_Fix_Univ (
    ID        INTEGER PRIMARY KEY,
    Luna      INTEGER NOT NULL CHECK (Luna BETWEEN 1 AND 12),
    Zi        INTEGER NOT NULL CHECK (Zi BETWEEN 1 AND 31),
    Eveniment TEXT    NOT NULL,
    Rang      INTEGER CHECK (Rang BETWEEN 0 AND 13),
    Culori    INTEGER NOT NULL DEFAULT 0 CHECK (Culori BETWEEN 0 AND 15),
    AnCurent  INTEGER,
    Data      TEXT
);

-- Fixed-date celebrations the USA has in addition, or at another date or rank.
CREATE TABLE C_DIF_USA (
    ID        INTEGER PRIMARY KEY,
    Luna      INTEGER NOT NULL CHECK (Luna BETWEEN 1 AND 12),
    Zi        INTEGER NOT NULL CHECK (Zi BETWEEN 1 AND 31),
    Eveniment TEXT    NOT NULL,
    Rang      INTEGER CHECK (Rang BETWEEN 0 AND 13),
    Culori    INTEGER NOT NULL DEFAULT 0 CHECK (Culori BETWEEN 0 AND 15),
    AnCurent  INTEGER,
    Data      TEXT
);

-- Movable celebrations; the engine writes Data for the year being built.
CREATE TABLE Variabile_Univ (
    ID            INTEGER PRIMARY KEY,
    evenimentuniv TEXT    NOT NULL UNIQUE,
    Data          TEXT,
    Rang          INTEGER CHECK (Rang BETWEEN 0 AND 13),
    Culori        INTEGER NOT NULL DEFAULT 0 CHECK (Culori BETWEEN 0 AND 15)
);

CREATE TABLE Variabile_USA (
    ID            INTEGER PRIMARY KEY,
    evenimentuniv TEXT    NOT NULL UNIQUE,
    Data          TEXT,
    Rang          INTEGER CHECK (Rang BETWEEN 0 AND 13),
    Culori        INTEGER NOT NULL DEFAULT 0 CHECK (Culori BETWEEN 0 AND 15)
);

-- The assembled year of each calendar. Cheie names the commentary of a row when it is
-- not the row's own name (the weekdays of a season share one).
CREATE TABLE C_Univ_Temp (
    Data      TEXT,
    Eveniment TEXT,
    TipZi     TEXT,
    Culori    INTEGER,
    Rang      INTEGER,
    ID        INTEGER,
    Cheie     TEXT
);

CREATE TABLE C_USA_Temp (
    Data      TEXT,
    Eveniment TEXT,
    TipZi     TEXT,
    Culori    INTEGER,
    Rang      INTEGER,
    ID        INTEGER,
    Cheie     TEXT
);

-- Window positions in twips: the rows delivered with the database (Default = 1) and the
-- ones the user saved (Default = 0).
CREATE TABLE Parametri (
    parametru TEXT    NOT NULL,
    valoare   REAL,
    "Default" INTEGER NOT NULL DEFAULT 0
);

-- One commentary (rich text) per celebration name or season key.
CREATE TABLE Comentarii (
    Eveniment  TEXT PRIMARY KEY,
    Comentariu TEXT NOT NULL
);

-- A digest of the sources the database was built from (one row). A copy made from an
-- older build carries another.
CREATE TABLE ContentStamp (
    Stamp TEXT NOT NULL
);

-- The named action queries the program runs.
CREATE TABLE StoredQueries (
    Name TEXT PRIMARY KEY,
    Sql  TEXT NOT NULL
);

-- Naming tables of the weekdays that no celebration fills.
CREATE TABLE Ordinale (
    Numar INTEGER PRIMARY KEY,
    Nume  TEXT NOT NULL
);

-- Weekday numbers of the calendar: 1 = Sunday … 7 = Saturday.
CREATE TABLE ZileSaptamanii (
    Numar     INTEGER PRIMARY KEY CHECK (Numar BETWEEN 1 AND 7),
    Nume      TEXT NOT NULL,
    Abreviere TEXT NOT NULL
);

-- How the weekdays of each season are named ({weekday}, {ordinal}, {day}), ranked and
-- coloured; Cheie is their shared commentary.
CREATE TABLE Sezoane (
    Cod    TEXT PRIMARY KEY,
    Model  TEXT NOT NULL,
    Rang   INTEGER NOT NULL,
    Culori INTEGER NOT NULL,
    Cheie  TEXT NOT NULL
);

-- Day offsets 0..371, for queries that walk through the days of a year.
CREATE TABLE Numere (n INTEGER PRIMARY KEY);
WITH RECURSIVE k(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM k WHERE n < 371)
INSERT INTO Numere (n) SELECT n FROM k;
