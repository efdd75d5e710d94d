-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: CalUSARangMinim
-- The rows of each day whose rank is the least of that day, in their present order.
CREATE TABLE C_USA_tmp AS
SELECT Data, Eveniment, TipZi, Culori, Rang, ID, Cheie
FROM C_USA_Temp
WHERE (Data, Rang) IN (SELECT Data, min(Rang) FROM C_USA_Temp GROUP BY Data)
ORDER BY rowid;
