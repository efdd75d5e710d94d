-- SPDX-License-Identifier: GPL-3.0-or-later
-- name: ActualizareDataDifUSA
UPDATE C_DIF_USA
SET Data = CASE
    WHEN Zi <= CASE
        WHEN Luna = 2 THEN 28 + (AnCurent % 4 = 0 AND (AnCurent % 100 <> 0 OR AnCurent % 400 = 0))
        WHEN Luna IN (4, 6, 9, 11) THEN 30
        ELSE 31
    END
    THEN printf('%04d-%02d-%02d', AnCurent, Luna, Zi)
END;
