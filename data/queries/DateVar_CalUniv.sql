-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: DateVar->CalUniv
INSERT INTO C_Univ_Temp (Data, Eveniment, Culori, Rang)
SELECT Data, evenimentuniv, Culori, Rang FROM Variabile_Univ
WHERE Data IS NOT NULL
ORDER BY Data, ID;
