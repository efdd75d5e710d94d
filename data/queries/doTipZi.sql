-- name: doTipZi
-- Weekday numbers, 1 = Sunday … 7 = Saturday.
UPDATE C_Univ_Temp SET TipZi = CAST(CAST(strftime('%w', Data) AS INTEGER) + 1 AS TEXT);
