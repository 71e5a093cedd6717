-- The gallery's sample document archive (SQLite). Run once when the archive file is
-- created; every statement ends with ";" at the end of a line.

CREATE TABLE Themen (
  ThemaID INTEGER PRIMARY KEY,
  ParentID INTEGER,
  Name TEXT NOT NULL
);

INSERT INTO Themen (ThemaID, ParentID, Name) VALUES
  (1, NULL, 'Verträge'), (2, 1, 'Mietverträge'), (3, 1, 'Arbeitsverträge'),
  (4, NULL, 'Rechnungen'), (5, 4, 'Eingangsrechnungen'), (6, 4, 'Ausgangsrechnungen'),
  (7, NULL, 'Korrespondenz'), (8, 7, 'Kunden'), (9, 7, 'Lieferanten'),
  (10, NULL, 'Personal'), (11, 10, 'Bewerbungen'), (12, NULL, 'Steuern');

CREATE TABLE Keywords (
  KeywordID INTEGER PRIMARY KEY,
  Gruppe TEXT NOT NULL,
  Keyword TEXT NOT NULL
);

INSERT INTO Keywords (KeywordID, Gruppe, Keyword) VALUES
  (1, 'Status', 'offen'), (2, 'Status', 'erledigt'), (3, 'Status', 'in Prüfung'),
  (4, 'Priorität', 'hoch'), (5, 'Priorität', 'normal'), (6, 'Priorität', 'niedrig'),
  (7, 'Abteilung', 'Einkauf'), (8, 'Abteilung', 'Vertrieb'), (9, 'Abteilung', 'Buchhaltung'),
  (10, 'Abteilung', 'Personal'), (11, 'Jahr', '2025'), (12, 'Jahr', '2026');

CREATE TABLE Dokumente (
  DokumentID INTEGER PRIMARY KEY,
  ThemaID INTEGER NOT NULL REFERENCES Themen(ThemaID),
  Titel TEXT NOT NULL,
  Datei TEXT NOT NULL,
  Datum DATE NOT NULL,
  Absender TEXT,
  Betrag REAL,
  Bewertung INTEGER,
  Keywords TEXT
);

-- 2,400 documents spread over the topics and the last three years.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2400)
INSERT INTO Dokumente (DokumentID, ThemaID, Titel, Datei, Datum, Absender, Betrag, Bewertung, Keywords)
SELECT i,
       (i % 12) + 1,
       CASE i % 6
         WHEN 0 THEN 'Rechnung Nr. ' || (10000 + i)
         WHEN 1 THEN 'Vertrag ' || (2000 + i % 7) || '-' || i
         WHEN 2 THEN 'Schreiben an Kunde ' || (i % 97)
         WHEN 3 THEN 'Angebot ' || i
         WHEN 4 THEN 'Protokoll Sitzung ' || (i % 52 + 1)
         ELSE 'Lieferschein ' || i
       END,
       'archiv/' || (2024 + i % 3) || '/dok' || i || CASE i % 3 WHEN 0 THEN '.pdf' WHEN 1 THEN '.doc' ELSE '.xls' END,
       printf('%04d-%02d-%02d', 2024 + i % 3, (i % 12) + 1, (i % 28) + 1),
       CASE i % 7
         WHEN 0 THEN 'Müller & Söhne'
         WHEN 1 THEN 'O''Brien Consulting'
         WHEN 2 THEN 'Stadtwerke Nord'
         WHEN 3 THEN 'Schmidt'
         WHEN 4 THEN 'D''Angelo Import'
         WHEN 5 THEN 'Finanzamt Mitte'
         ELSE NULL
       END,
       round((i * 37 % 100000) / 10.0, 2),
       i % 6,
       CASE i % 4 WHEN 0 THEN 'offen;hoch' WHEN 1 THEN 'erledigt' WHEN 2 THEN 'in Prüfung;Einkauf' ELSE 'normal;Vertrieb' END
FROM n;

CREATE INDEX DokumenteThema ON Dokumente(ThemaID);
