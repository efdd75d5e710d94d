-- name: CalUSARangMinim
CREATE TABLE C_USA_tmp AS
SELECT Data, Eveniment, TipZi, Culori, Rang, ID, Cheie
FROM (SELECT t.*, t.rowid AS r, min(t.Rang) OVER (PARTITION BY t.Data) AS least FROM C_USA_Temp AS t)
WHERE Rang = least
ORDER BY r;
