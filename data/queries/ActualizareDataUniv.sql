-- name: ActualizareDataUniv
-- Every fixed celebration takes its date in the year held in AnCurent. A day the year
-- lacks (29 February) gets no date rather than slipping into March.
UPDATE Calendar_Fix_Univ
SET Data = CASE
    WHEN date(printf('%04d-%02d-%02d', AnCurent, Luna, Zi), '+0 days') = printf('%04d-%02d-%02d', AnCurent, Luna, Zi)
    THEN printf('%04d-%02d-%02d', AnCurent, Luna, Zi)
END;
