-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: AppCUSA_Alte
-- Appends a row for every weekday that no movable celebration names: the weekdays of
-- each season, named, ranked and coloured as the Sezoane table says, counted from the
-- dates the movable computation has just written. Sundays always have a movable row.
-- Days are Julian day numbers (weekday (n + 1) % 7, 0 = Sunday), drawn from the Numere
-- table rather than a recursive query, which is several times slower here. Each season
-- is a range of days whose ordinal counts from `base`, a Sunday whose own ordinal is
-- `w0`, in steps of `step` days; the weeks after Pentecost are counted back from the
-- Thirty-Fourth, the week of Christ the King (a1 - 7).
WITH
anchor AS (
    SELECT
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Easter Sunday') AS easter,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Baptism of the Lord') AS baptism,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Ash Wednesday') AS ash,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Pentecost') AS pentecost,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'First Sunday of Advent') AS advent,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Epiphany of the Lord') AS movable_epiphany
),
k AS MATERIALIZED (
    SELECT
        CAST(julianday(easter) + 0.5 AS INTEGER) AS e,
        CAST(julianday(baptism) + 0.5 AS INTEGER) AS b,
        CAST(julianday(ash) + 0.5 AS INTEGER) AS aw,
        CAST(julianday(pentecost) + 0.5 AS INTEGER) AS p,
        CAST(julianday(advent) + 0.5 AS INTEGER) AS a1,
        CAST(julianday(coalesce(movable_epiphany, substr(easter, 1, 4) || '-01-06')) + 0.5 AS INTEGER) AS ep,
        CAST(julianday(substr(easter, 1, 4) || '-01-01') + 0.5 AS INTEGER) AS jan1,
        CAST(julianday(substr(easter, 1, 4) || '-12-17') + 0.5 AS INTEGER) AS dec17
    FROM anchor
    WHERE easter IS NOT NULL AND baptism IS NOT NULL AND ash IS NOT NULL
      AND pentecost IS NOT NULL AND advent IS NOT NULL
),
ranges(code, first, last, base, w0, step, firstday) AS MATERIALIZED (
              SELECT 'BEFORE_EPIPHANY',     jan1 + 1,  ep - 1,     jan1,             1,  7, 2 FROM k
    UNION ALL SELECT 'AFTER_EPIPHANY',      ep + 1,    b - 1,      ep,               1,  7, 0 FROM k
    UNION ALL SELECT 'ORDINARY',            b + 1,     aw - 1,     b - (b + 1) % 7,  1,  7, 0 FROM k
    UNION ALL SELECT 'AFTER_ASH_WEDNESDAY', aw + 1,    aw + 3,     aw,               1,  7, 0 FROM k
    UNION ALL SELECT 'LENT',                aw + 5,    e - 8,      aw + 4,           1,  7, 0 FROM k
    UNION ALL SELECT 'EASTER_OCTAVE',       e + 1,     e + 6,      e,                1,  7, 0 FROM k
    UNION ALL SELECT 'EASTER',              e + 8,     p - 1,      e,                1,  7, 0 FROM k
    UNION ALL SELECT 'ORDINARY',            p + 1,     a1 - 1,     p,  34 - (a1 - 7 - p) / 7, 7, 0 FROM k
    UNION ALL SELECT 'ADVENT',              a1 + 1,    dec17 - 1,  a1,               1,  7, 0 FROM k
    UNION ALL SELECT 'LATE_ADVENT',         dec17,     dec17 + 7,  dec17,            1,  7, 17 FROM k
    UNION ALL SELECT 'CHRISTMAS_OCTAVE',    dec17 + 9, dec17 + 14, dec17 + 9,        2,  1, 26 FROM k
),
-- The least rank each day already has: a weekday that would lose to it is not added.
decided AS MATERIALIZED (
    SELECT CAST(julianday(Data) + 0.5 AS INTEGER) AS n, min(Rang) AS best FROM C_USA_Temp GROUP BY Data
),
seasons AS MATERIALIZED (
    SELECT r.first, r.last, r.base, r.w0, r.step, r.firstday, s.Model, s.Culori, s.Rang, s.Cheie, k.jan1
    FROM ranges AS r JOIN Sezoane AS s ON s.Cod = r.code, k
    WHERE r.first <= r.last
)
INSERT INTO C_USA_Temp (Data, Eveniment, Culori, Rang, Cheie)
SELECT date(d.n - 0.5),
       replace(replace(replace(d.Model, '{weekday}', z.Nume), '{ordinal}', coalesce(o.Nume, '')), '{day}', d.firstday + d.n - d.first),
       d.Culori, d.Rang, d.Cheie
FROM (SELECT x.n + se.jan1 AS n, se.* FROM seasons AS se JOIN Numere AS x ON x.n BETWEEN se.first - se.jan1 AND se.last - se.jan1) AS d
JOIN ZileSaptamanii AS z ON z.Numar = (d.n + 1) % 7 + 1
LEFT JOIN Ordinale AS o ON o.Numar = d.w0 + (d.n - d.base) / d.step
LEFT JOIN decided AS dd ON dd.n = d.n
WHERE (d.n + 1) % 7 <> 0 AND (dd.best IS NULL OR dd.best >= d.Rang);