-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: CalUnivRangMinim
-- The rows of each day whose rank is the least of that day, in their present order.
CREATE TABLE C_Univ_tmp AS
SELECT Data, Eveniment, TipZi, Culori, Rang, ID, Cheie
FROM C_Univ_Temp
WHERE (Data, Rang) IN (SELECT Data, min(Rang) FROM C_Univ_Temp GROUP BY Data)
ORDER BY rowid;
