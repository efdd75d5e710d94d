-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: DateVar->CalUSA
INSERT INTO C_USA_Temp (Data, Eveniment, Culori, Rang)
SELECT Data, evenimentuniv, Culori, Rang FROM Variabile_USA
WHERE Data IS NOT NULL
ORDER BY Data, ID;
