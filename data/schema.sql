-- Tables the reimbursement module reads and writes, under their logical
-- names, for the embedded SQLite database. Dates are ISO text (DATE columns),
-- amounts REAL with two decimals, IDs and flags INTEGER. Text that SQL Server
-- compares without regard to case is declared COLLATE NOCASE.

CREATE TABLE linktable (
    tablename     TEXT COLLATE NOCASE,
    linktablename TEXT
);

CREATE TABLE pusers (
    userid   INTEGER NOT NULL PRIMARY KEY,
    username TEXT
);

CREATE TABLE puserrights (
    companyid      INTEGER NOT NULL,
    userid         INTEGER NOT NULL,
    interfaceid    INTEGER NOT NULL,
    FunctionRights TEXT
);
CREATE INDEX ix_puserrights ON puserrights (companyid, userid, interfaceid);

CREATE TABLE pSettings (
    companyID            INTEGER NOT NULL PRIMARY KEY,
    NoOfPreviousDays     INTEGER,
    SanctionDesginations TEXT
);

CREATE TABLE pPrefix (
    Prefix      TEXT,
    InterfaceID INTEGER NOT NULL,
    companyid   INTEGER NOT NULL
);
CREATE INDEX ix_pPrefix ON pPrefix (InterfaceID, companyid);

CREATE TABLE ptables (
    tableid   INTEGER NOT NULL PRIMARY KEY,
    tablename TEXT COLLATE NOCASE
);

CREATE TABLE ptablecolumns (
    tableid      INTEGER NOT NULL,
    columnid     INTEGER NOT NULL,
    ColumnHeader TEXT,
    ColumnLength INTEGER,
    PRIMARY KEY (tableid, columnid)
);

CREATE TABLE pemployee (
    eempid     INTEGER NOT NULL,
    ecompanyid INTEGER NOT NULL,
    ename      TEXT,
    eActive    INTEGER DEFAULT 1,
    eDesigId   INTEGER,
    PRIMARY KEY (ecompanyid, eempid)
);

CREATE TABLE pcurrencymaster (
    CompanyID    INTEGER NOT NULL,
    CurrencyID   INTEGER NOT NULL,
    CurrencyName TEXT,
    Symbol       TEXT,
    PRIMARY KEY (CompanyID, CurrencyID)
);

CREATE TABLE preimbursementmaster (
    rtypeid   INTEGER NOT NULL,
    rtypename TEXT,
    companyid INTEGER NOT NULL,
    PRIMARY KEY (rtypeid, companyid)
);

CREATE TABLE preimeligibilityheader (
    rereimelid     INTEGER NOT NULL,
    recompanyid    INTEGER NOT NULL,
    reretypeid     INTEGER,
    recurrencyid   INTEGER,
    rereimeffdate  DATE,
    rereimtilldate DATE,
    recancelled    INTEGER DEFAULT 0,
    PRIMARY KEY (recompanyid, rereimelid)
);
CREATE INDEX ix_preimeligibilityheader_type ON preimeligibilityheader (recompanyid, reretypeid);

CREATE TABLE preimeligibilitydetail (
    redcompanyid INTEGER NOT NULL,
    redreimelid  INTEGER NOT NULL,
    reemployeeid INTEGER NOT NULL,
    relimit      REAL
);
CREATE INDEX ix_preimeligibilitydetail ON preimeligibilitydetail (redcompanyid, redreimelid, reemployeeid);
CREATE INDEX ix_preimeligibilitydetail_emp ON preimeligibilitydetail (reemployeeid);

CREATE TABLE pReimburseHeader (
    rhreimburseid      INTEGER NOT NULL,
    rhcompanyid        INTEGER NOT NULL,
    rhreimburseno      TEXT,
    rhdate             DATE,
    rhClaimEmpID       INTEGER,
    rhApprovedEmpID    INTEGER,
    rhremarks          TEXT,
    rhTotalAmt         REAL,
    rhCancelled        INTEGER DEFAULT 0,
    rhcancelledremarks TEXT,
    rhcurrencyid       INTEGER,
    rhrtypeid          INTEGER,
    PRIMARY KEY (rhcompanyid, rhreimburseid)
);
CREATE INDEX ix_pReimburseHeader_date ON pReimburseHeader (rhcompanyid, rhdate);
CREATE INDEX ix_pReimburseHeader_emp ON pReimburseHeader (rhcompanyid, rhClaimEmpID, rhrtypeid);
CREATE INDEX ix_pReimburseHeader_id ON pReimburseHeader (rhreimburseid);
-- The claim numbering reads every claim number of the company: from this
-- index alone, without visiting the claims.
CREATE INDEX ix_pReimburseHeader_no ON pReimburseHeader (rhcompanyid, rhreimburseno);

CREATE TABLE pReimbursedetail (
    rdCompanyId   INTEGER NOT NULL,
    rdreimburseid INTEGER NOT NULL,
    rddetailid    INTEGER NOT NULL,
    rdbillno      TEXT,
    rdbillamt     REAL,
    rdremarks     TEXT
);
CREATE INDEX ix_pReimbursedetail ON pReimbursedetail (rdreimburseid, rdCompanyId);

CREATE TABLE pPaymentHeader (
    phCompanyID INTEGER NOT NULL,
    phPaymentID INTEGER NOT NULL,
    phCancelled INTEGER DEFAULT 0,
    PRIMARY KEY (phCompanyID, phPaymentID)
);

CREATE TABLE pPaymentDetail (
    pdCompanyID   INTEGER NOT NULL,
    pdPaymentID   INTEGER NOT NULL,
    pdReimburseID INTEGER NOT NULL
);
CREATE INDEX ix_pPaymentDetail ON pPaymentDetail (pdReimburseID, pdCompanyID);

-- Every logical name maps to the table of the same name here; a database
-- with other physical names only needs other rows in linktable.
INSERT INTO linktable (tablename, linktablename) VALUES
    ('pusers', 'pusers'),
    ('pfacilitymaster', 'pfacilitymaster'),
    ('pemployee', 'pemployee'),
    ('pfacilitydetails', 'pfacilitydetails'),
    ('pReimbursedetail', 'pReimbursedetail'),
    ('pReimburseHeader', 'pReimburseHeader'),
    ('ptables', 'ptables'),
    ('ptablecolumns', 'ptablecolumns'),
    ('puserrights', 'puserrights'),
    ('pSettings', 'pSettings'),
    ('pPrefix', 'pPrefix'),
    ('pcurrencymaster', 'pcurrencymaster'),
    ('preimbursementmaster', 'preimbursementmaster'),
    ('preimeligibilityheader', 'preimeligibilityheader'),
    ('preimeligibilitydetail', 'preimeligibilitydetail');
