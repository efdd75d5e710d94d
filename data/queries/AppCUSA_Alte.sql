-- name: AppCUSA_Alte
-- Appends a row for every weekday that no movable celebration names: the weekdays of
-- each season, named, ranked and coloured as the Sezoane table says, counted from the
-- dates the movable computation has just written. Sundays always have a movable row.
-- Weeks of Ordinary Time after Pentecost are counted back from the Thirty-Fourth, the
-- week of Christ the King.
WITH RECURSIVE
anchor AS (
    SELECT
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Easter Sunday') AS easter,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Baptism of the Lord') AS baptism,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Ash Wednesday') AS ash,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Pentecost') AS pentecost,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'First Sunday of Advent') AS advent,
        (SELECT Data FROM Variabile_USA WHERE evenimentuniv = 'Epiphany of the Lord') AS movable_epiphany
),
year AS (
    SELECT easter, baptism, ash, pentecost, advent,
           substr(easter, 1, 4) AS y,
           coalesce(movable_epiphany, substr(easter, 1, 4) || '-01-06') AS epiphany,
           date(ash, '+4 days') AS lent1,
           date(advent, '-7 days') AS king
    FROM anchor
    WHERE easter IS NOT NULL AND baptism IS NOT NULL AND ash IS NOT NULL
      AND pentecost IS NOT NULL AND advent IS NOT NULL
),
days(d) AS (
    SELECT y || '-01-02' FROM year
    UNION ALL
    SELECT date(d, '+1 day') FROM days, year WHERE d < y || '-12-31'
),
classified AS (
    SELECT
        d,
        CAST(strftime('%w', d) AS INTEGER) + 1 AS weekday,
        CAST(strftime('%d', d) AS INTEGER) AS dom,
        CASE
            WHEN d < epiphany THEN 'BEFORE_EPIPHANY'
            WHEN d > epiphany AND d < baptism THEN 'AFTER_EPIPHANY'
            WHEN d > baptism AND d < ash THEN 'ORDINARY'
            WHEN d > ash AND d < lent1 THEN 'AFTER_ASH_WEDNESDAY'
            WHEN d > lent1 AND d < date(easter, '-7 days') THEN 'LENT'
            WHEN d > easter AND d < date(easter, '+7 days') THEN 'EASTER_OCTAVE'
            WHEN d > date(easter, '+7 days') AND d < pentecost THEN 'EASTER'
            WHEN d > pentecost AND d < advent THEN 'ORDINARY'
            WHEN d > advent AND d < y || '-12-17' THEN 'ADVENT'
            WHEN d BETWEEN y || '-12-17' AND y || '-12-24' THEN 'LATE_ADVENT'
            WHEN d >= y || '-12-26' THEN 'CHRISTMAS_OCTAVE'
        END AS season,
        CASE
            WHEN d > baptism AND d < ash THEN
                1 + CAST((julianday(d) - julianday(date(baptism, '-' || strftime('%w', baptism) || ' days'))) / 7 AS INTEGER)
            WHEN d > lent1 AND d < easter THEN 1 + CAST((julianday(d) - julianday(lent1)) / 7 AS INTEGER)
            WHEN d > easter AND d < pentecost THEN 1 + CAST((julianday(d) - julianday(easter)) / 7 AS INTEGER)
            WHEN d > pentecost AND d < advent THEN
                34 - CAST((julianday(king) - julianday(date(d, '-' || strftime('%w', d) || ' days'))) / 7 AS INTEGER)
            WHEN d > advent AND d < y || '-12-17' THEN 1 + CAST((julianday(d) - julianday(advent)) / 7 AS INTEGER)
            WHEN d >= y || '-12-26' THEN CAST(strftime('%d', d) AS INTEGER) - 24
        END AS week
    FROM days, year
    WHERE strftime('%w', d) <> '0'
)
INSERT INTO C_USA_Temp (Data, Eveniment, Culori, Rang, Cheie)
SELECT c.d,
       replace(replace(replace(s.Model, '{weekday}', z.Nume), '{ordinal}', coalesce(o.Nume, '')), '{day}', c.dom),
       s.Culori, s.Rang, s.Cheie
FROM classified AS c
JOIN Sezoane AS s ON s.Cod = c.season
JOIN ZileSaptamanii AS z ON z.Numar = c.weekday
LEFT JOIN Ordinale AS o ON o.Numar = c.week
ORDER BY c.d;
