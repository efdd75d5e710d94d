-- SPDX-License-Identifier: GPL-3.0-or-later
-- Views over the assembled year. Rows of a season's weekdays carry their commentary key
-- in Cheie; every other row finds its commentary by its own name.

CREATE VIEW C_Univ AS
SELECT t.ID, t.Data, t.Eveniment, t.TipZi, t.Culori, t.Rang, c.Comentariu
FROM C_Univ_Temp AS t
LEFT JOIN Comentarii AS c ON c.Eveniment = coalesce(t.Cheie, t.Eveniment);

CREATE VIEW C_USA AS
SELECT t.ID, t.Data, t.Eveniment, t.TipZi, t.Culori, t.Rang, c.Comentariu
FROM C_USA_Temp AS t
LEFT JOIN Comentarii AS c ON c.Eveniment = coalesce(t.Cheie, t.Eveniment);

-- What the search window reads.
CREATE VIEW srcUNIV AS SELECT Eveniment AS Even, ID AS Id FROM C_Univ_Temp;
CREATE VIEW srcUSA AS SELECT Eveniment AS Even, ID AS Id FROM C_USA_Temp;

-- The Universal rows of the USA year on the days the USA keeps a celebration of its own.
-- Deleting a row here deletes it from C_USA_Temp.
CREATE VIEW UnivFerialReading AS
SELECT t.rowid AS RowRef, t.Data AS data, t.Eveniment
FROM C_USA_Temp AS t
WHERE EXISTS (SELECT 1 FROM C_DIF_USA AS d WHERE d.Data = t.Data);

CREATE TRIGGER UnivFerialReading_delete INSTEAD OF DELETE ON UnivFerialReading
BEGIN
    DELETE FROM C_USA_Temp WHERE rowid = OLD.RowRef;
END;
