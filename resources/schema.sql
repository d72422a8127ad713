-- The Corvella database: five tables in one SQLite file, CORVELLA.CVL.
--
-- Column types tell the program how to show and store each field:
--   INTEGER PRIMARY KEY AUTOINCREMENT
--                        ID, assigned by SQLite when a record is first stored;
--                        AUTOINCREMENT keeps SQLite from giving a new record
--                        the key of a deleted one, which Journal, LiveStock
--                        and the default-tank setting may still point at
--   INTEGER              whole numbers (TankID)
--   REAL                 measured values and dimensions
--   DATE_TEXT            dates, kept as ISO text yyyy-mm-dd so they sort by date
--   CURRENCY_INT         money, kept exactly as a whole number of ten-thousandths
--                        (25.00 is stored as 250000)
--   VARCHAR(254)         short texts, at most 254 characters
--   LONGTEXT             long texts without a limit
-- Every field but ID may be empty (NULL).

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

-- A journal is read one tank at a time in date order; so is livestock.
CREATE INDEX JournalByTankDate ON Journal (TankID, EntryDate);
CREATE INDEX LiveStockByTank ON LiveStock (TankID);
