-- The demo's database: customers and their orders. tools/demo_packages builds Demo.sqlite3 from
-- this script; the data sets of the Customers form read their fields from that file.
PRAGMA page_size = 1024;

CREATE TABLE Customers (
  Id       INTEGER PRIMARY KEY,
  Name     TEXT NOT NULL,
  City     TEXT,
  Email    TEXT,
  Phone    TEXT,
  Category INTEGER NOT NULL DEFAULT 1,  -- 1 retail, 2 wholesale, 3 online
  Active   INTEGER NOT NULL DEFAULT 1,
  ImageId  INTEGER,                     -- an image of the "Icons" package
  Notes    TEXT,
  Photo    BLOB
);

CREATE TABLE Orders (
  Id         INTEGER PRIMARY KEY,
  CustomerId INTEGER NOT NULL REFERENCES Customers (Id),
  OrderDate  TEXT NOT NULL,
  Amount     REAL NOT NULL,
  Quantity   INTEGER NOT NULL DEFAULT 1,
  Status     INTEGER NOT NULL DEFAULT 13,  -- label ids of "Common": 13 open, 14 shipped, 15 paid
  Express    INTEGER NOT NULL DEFAULT 0,
  Remarks    TEXT
);

INSERT INTO Customers (Id, Name, City, Email, Phone, Category, Active, ImageId, Notes) VALUES
  (1, 'Ana Ferreira', 'Porto', 'ana@example.org', '+351 22 000 0101', 1, 1, 1,
   'Prefers deliveries in the morning.'),
  (2, 'Brightside Stores', 'Leeds', 'orders@example.com', '+44 113 000 0202', 2, 1, 3, NULL),
  (3, 'Jonas Weber', 'Graz', 'jonas@example.net', '+43 316 000 0303', 3, 0, 1,
   'Moved; check the address before shipping.');

INSERT INTO Orders (Id, CustomerId, OrderDate, Amount, Quantity, Status, Express, Remarks) VALUES
  (1, 1, '2024-03-04', 48.50, 2, 15, 0, NULL),
  (2, 2, '2024-03-11', 1260.00, 40, 14, 1, 'Deliver to the loading bay.'),
  (3, 2, '2024-04-02', 315.20, 10, 13, 0, NULL),
  (4, 3, '2024-04-09', 19.90, 1, 13, 1, 'Gift wrap, no invoice in the parcel.');
