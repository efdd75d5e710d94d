-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: DateFixeDIF->CalUSA
INSERT INTO C_USA_Temp (Data, Eveniment, Culori, Rang)
SELECT Data, Eveniment, Culori, Rang FROM C_DIF_USA
WHERE Data IS NOT NULL
ORDER BY Data, ID;
