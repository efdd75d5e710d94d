-- name: doTipZi_USA
UPDATE C_USA_Temp SET TipZi = CAST(CAST(strftime('%w', Data) AS INTEGER) + 1 AS TEXT);
