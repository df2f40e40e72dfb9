-- Tables of the content database data/data.db.

-- One row per line of the last simple report, read back in insertion (rowid) order.
CREATE TABLE "报表" (
  "名称" TEXT,
  "数值" NUMERIC,
  "单位" TEXT
);

-- The navigator's table of contents: entries joined to their parent by PID = CID,
-- top-level entries with PID 0.
CREATE TABLE vtree (
  CID    INTEGER PRIMARY KEY,
  PID    INTEGER NOT NULL DEFAULT 0,
  CName  TEXT NOT NULL,
  Pindex INTEGER NOT NULL DEFAULT 0,
  Ctable TEXT
);
CREATE INDEX vtree_pid ON vtree (PID);

-- The text each page of the table of contents shows (web/<Ctable>.htm), made by the build from
-- the pages themselves; the navigator's search reads it.
CREATE TABLE vtext (
  Ctable TEXT PRIMARY KEY,
  Body   TEXT NOT NULL
);
