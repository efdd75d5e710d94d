-- name: ActualizareDataDifUSA
UPDATE C_DIF_USA
SET Data = CASE
    WHEN date(printf('%04d-%02d-%02d', AnCurent, Luna, Zi), '+0 days') = printf('%04d-%02d-%02d', AnCurent, Luna, Zi)
    THEN printf('%04d-%02d-%02d', AnCurent, Luna, Zi)
END;
