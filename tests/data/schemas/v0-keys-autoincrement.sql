-- A database as the second release of Corvella made it: record keys declared
-- AUTOINCREMENT, no schema version recorded yet (user_version 0).


CREATE TABLE Journal (
    ID              INTEGER PRIMARY KEY AUTOINCREMENT,
    TankID          INTEGER,
    EntryDate       DATE_TEXT,
    Alkalinity      REAL,
    Ammonia         REAL,
    Calcium         REAL,
    CarbonDioxide   REAL,
    Copper          REAL,
    DissolvedOxygen REAL,
    Hardness        REAL,
    Iodine          REAL,
    Iron            REAL,
    Lead            REAL,
    Magnesium       REAL,
    Molybdenum      REAL,
    Nitrate         REAL,
    Nitrite         REAL,
    PH              REAL,
    Phosphate       REAL,
    SpecificGravity REAL,
    Strontium       REAL,
    Temprature      REAL,
    Zinc            REAL,
    Notes           LONGTEXT
);

CREATE TABLE LiveStock (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    TankID         INTEGER,
    CommonName     VARCHAR(254),
    ScientificName VARCHAR(254),
    DateAcquired   DATE_TEXT,
    DateLost       DATE_TEXT,
    AcquiredFrom   VARCHAR(254),
    Condition      VARCHAR(254),
    Other          VARCHAR(254),
    InitialCost    CURRENCY_INT,
    Notes          LONGTEXT
);

CREATE TABLE Tank (
    ID              INTEGER PRIMARY KEY AUTOINCREMENT,
    TankName        VARCHAR(254),
    TankType        VARCHAR(254),
    TankShape       VARCHAR(254),
    UnitMeasure     VARCHAR(254),
    TankLength      REAL,
    TankWidth       REAL,
    TankHeight      REAL,
    TankRadius      REAL,
    LightDistance   REAL,
    DateEstablished DATE_TEXT,
    Equipment       LONGTEXT,
    Notes           LONGTEXT
);

CREATE TABLE Disease (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    CommonName     VARCHAR(254),
    ScientificName VARCHAR(254),
    Symptoms       LONGTEXT,
    Treatment      LONGTEXT,
    Notes          LONGTEXT
);

CREATE TABLE Glossary (
    ID         INTEGER PRIMARY KEY AUTOINCREMENT,
    Term       VARCHAR(254),
    Definition LONGTEXT
);

CREATE INDEX JournalByTankDate ON Journal (TankID, EntryDate);
CREATE INDEX LiveStockByTank ON LiveStock (TankID);

-- Records as a keeper leaves them: two tanks (a third was deleted, so key 3
-- is gone), a journal with values and notes, livestock with a cost, and
-- reference rows.
INSERT INTO Tank (ID, TankName, TankType, TankShape, UnitMeasure, TankLength, TankWidth,
                  TankHeight, DateEstablished, Notes)
VALUES (1, 'Reef 90', 'Marine', 'Rectangle', 'Inches', 36, 18, 20, '2021-03-14', 'Main tank'),
       (2, 'Quarantine', 'Fresh Water', 'Rectangle', 'Centimeters', 60, 30, 35, NULL, NULL);
INSERT INTO Journal (ID, TankID, EntryDate, PH, Nitrate, Temprature, SpecificGravity, Notes)
VALUES (1, 1, '2024-01-02', 8.2, 5, 78.5, 1.025, 'First test'),
       (2, 1, '2024-01-09', 8.1, 10, 78, 1.024, NULL),
       (4, 2, '2024-01-10', 7.4, 20, 76, NULL, 'After the move'),
       (7, 3, '2023-12-31', 7.0, NULL, NULL, NULL, 'Of the deleted tank');
INSERT INTO LiveStock (ID, TankID, CommonName, ScientificName, DateAcquired, InitialCost, Notes)
VALUES (1, 1, 'Clownfish', 'Amphiprion ocellaris', '2021-04-01', 250000, NULL),
       (3, 2, 'Zebra danio', 'Danio rerio', NULL, 39900, 'Two of them');
INSERT INTO Disease (ID, CommonName, ScientificName, Symptoms, Treatment)
VALUES (1, 'Ich', 'Ichthyophthirius multifiliis', 'White spots', 'Raise the temperature');
INSERT INTO Glossary (ID, Term, Definition) VALUES (1, 'pH', 'Acidity'), (5, 'Sump', 'A tank below the tank');

-- Tank 3 was deleted after it was stored: its key stays taken.
UPDATE sqlite_sequence SET seq = 3 WHERE name = 'Tank';
UPDATE sqlite_sequence SET seq = 7 WHERE name = 'Journal';
