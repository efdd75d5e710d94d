-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: doTipZi_USA
-- Weekday numbers, 1 = Sunday … 7 = Saturday, from the Julian day number (0 = Monday).
-- Rows that already hold their number are left as they are.
UPDATE C_USA_Temp SET TipZi = CAST(CAST(julianday(Data) + 1.5 AS INTEGER) % 7 + 1 AS TEXT)
WHERE TipZi IS NOT CAST(CAST(julianday(Data) + 1.5 AS INTEGER) % 7 + 1 AS TEXT);
