-- name: CalUnivRangMinim
-- The rows of each day whose rank is the least of that day, in their present order.
CREATE TABLE C_Univ_tmp AS
SELECT Data, Eveniment, TipZi, Culori, Rang, ID, Cheie
FROM (SELECT t.*, t.rowid AS r, min(t.Rang) OVER (PARTITION BY t.Data) AS least FROM C_Univ_Temp AS t)
WHERE Rang = least
ORDER BY r;
