-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: DateFixe->CalUSA
INSERT INTO C_USA_Temp (Data, Eveniment, Culori, Rang)
SELECT Data, Eveniment, Culori, Rang FROM Calendar_Fix_Univ
WHERE Data IS NOT NULL
ORDER BY Data, ID;
