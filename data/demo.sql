-- Demo data, run after schema.sql: two companies with employees, approvers,
-- reimbursement types, currencies, eligibility rules, claims and payments,
-- rights for interface 101 and the register's column layout. At the end the
-- tables get physical names of their own (prefix zq_) and linktable says so.

INSERT INTO pusers (userid, username) VALUES
    (1, 'Administrator'),
    (2, 'Clerk');

-- N new, E edit, D delete, P preview.
INSERT INTO puserrights (companyid, userid, interfaceid, FunctionRights) VALUES
    (1, 1, 101, 'NEDP'),
    (1, 2, 101, 'NP'),
    (2, 1, 101, 'NEDP');

-- Company 1 lists claims of every date, company 2 those of the last ten years.
-- Designations 2 and 3 (company 1) and 7 (company 2) approve claims.
INSERT INTO pSettings (companyID, NoOfPreviousDays, SanctionDesginations) VALUES
    (1, 0, '2,3'),
    (2, 3650, '7');

INSERT INTO pPrefix (Prefix, InterfaceID, companyid) VALUES
    ('RB', 101, 1),
    ('RC', 101, 2);

INSERT INTO ptables (tableid, tablename) VALUES
    (1, 'zq_pReimburseHeader');

-- Padding 0 hides the ID and keeps it out of the sort and search lists.
INSERT INTO ptablecolumns (tableid, columnid, ColumnHeader, ColumnLength) VALUES
    (1, 1, 'ID', 0),
    (1, 2, 'Reimb. No.', 8),
    (1, 3, 'Type', 14),
    (1, 4, 'Date', 6),
    (1, 5, 'Employee', 22),
    (1, 6, 'Cancelled', 2);

INSERT INTO pemployee (eempid, ecompanyid, ename, eActive, eDesigId) VALUES
    (1, 1, 'Anita Rao', 1, 1),
    (2, 1, 'Brian D''Souza', 1, 1),
    (3, 1, 'Chitra Menon', 1, 2),
    (4, 1, 'David Pinto', 1, 3),
    (5, 1, 'Esha Kapoor', 0, 1),
    (6, 1, 'Farhan Ali', 0, 2),
    (1, 2, 'Meera Iyer', 1, 7),
    (2, 2, 'Rahul Verma', 1, 1);

-- Type IDs are unique across companies, as the register's listing joins
-- types by ID alone.
INSERT INTO preimbursementmaster (rtypeid, rtypename, companyid) VALUES
    (1, 'Medical', 1),
    (2, 'Travel', 1),
    (3, 'Telephone', 2);

INSERT INTO pcurrencymaster (CompanyID, CurrencyID, CurrencyName, Symbol) VALUES
    (1, 1, 'Indian Rupee', 'Rs.'),
    (1, 2, 'US Dollar', '$'),
    (2, 1, 'Indian Rupee', 'Rs.');

-- Company 1: Medical in rupees for two financial years, Travel in dollars
-- open-ended (no till date), Travel in rupees ended in 2024 and again live
-- from 2026, a cancelled Medical rule in dollars.
INSERT INTO preimeligibilityheader
    (rereimelid, recompanyid, reretypeid, recurrencyid, rereimeffdate, rereimtilldate, recancelled) VALUES
    (1, 1, 1, 1, '2025-04-01', '2026-03-31', 0),
    (2, 1, 1, 1, '2026-04-01', '2027-03-31', 0),
    (3, 1, 2, 2, '2026-01-01', NULL, 0),
    (4, 1, 2, 1, '2024-01-01', '2024-12-31', 0),
    (5, 1, 1, 2, '2026-01-01', '2026-12-31', 1),
    (6, 1, 2, 1, '2026-01-01', '2027-12-31', 0),
    (1, 2, 3, 1, '2026-01-01', '2027-12-31', 0);

INSERT INTO preimeligibilitydetail (redcompanyid, redreimelid, reemployeeid, relimit) VALUES
    (1, 1, 1, 12000.00),
    (1, 2, 1, 15000.00),
    (1, 3, 1, 2000.00),
    (1, 4, 1, 5000.00),
    (1, 5, 1, 1000.00),
    (1, 6, 1, 8000.00),
    (1, 2, 2, 10000.00),
    (1, 6, 2, 6000.00),
    (1, 2, 3, 20000.00),
    (2, 1, 2, 3000.00);

-- Claims 1 to 6 of company 1: live, paid (payment 1), cancelled, one whose
-- only payment was cancelled (so still unpaid), one in dollars under the
-- open-ended rule, and a recent one. Claim 7 belongs to company 2.
INSERT INTO pReimburseHeader
    (rhreimburseid, rhcompanyid, rhreimburseno, rhdate, rhClaimEmpID, rhApprovedEmpID, rhremarks,
     rhTotalAmt, rhCancelled, rhcancelledremarks, rhcurrencyid, rhrtypeid) VALUES
    (1, 1, 'RB1', '2026-02-10', 1, 3, 'Dental treatment', 1250.00, 0, NULL, 1, 1),
    (2, 1, 'RB2', '2026-05-04', 2, 4, 'Client visit, Pune', 3400.00, 0, NULL, 1, 2),
    (3, 1, 'RB3', '2026-06-15', 1, 3, 'Eye check-up', 800.00, 1, 'Duplicate bill', 1, 1),
    (4, 1, 'RB4', '2026-07-01', 1, 4, 'Physiotherapy', 2100.50, 0, NULL, 1, 1),
    (5, 1, 'RB5', '2026-09-20', 1, 3, 'Conference taxi', 150.00, 0, NULL, 2, 2),
    (6, 1, 'RB6', '2026-11-12', 2, 4, 'Pharmacy', 975.25, 0, NULL, 1, 1),
    (7, 2, 'RC1', '2026-08-08', 2, 1, 'Mobile bill', 640.00, 0, NULL, 1, 3);

INSERT INTO pReimbursedetail (rdCompanyId, rdreimburseid, rddetailid, rdbillno, rdbillamt, rdremarks) VALUES
    (1, 1, 1, 'D-1041', 750.00, 'Consultation'),
    (1, 1, 2, 'D-1042', 500.00, 'X-ray'),
    (1, 2, 1, 'T-2210', 2400.00, 'Train fare'),
    (1, 2, 2, 'H-0087', 1000.00, 'Hotel'),
    (1, 3, 1, 'E-3301', 800.00, 'Eye test'),
    (1, 4, 1, 'P-0415', 1600.50, 'Six sessions'),
    (1, 4, 2, 'P-0416', 500.00, 'Brace'),
    (1, 5, 1, 'CAB-77', 150.00, 'Airport taxi'),
    (1, 6, 1, 'PH-912', 975.25, 'Medicines'),
    (2, 7, 1, 'TEL-08', 640.00, 'August');

INSERT INTO pPaymentHeader (phCompanyID, phPaymentID, phCancelled) VALUES
    (1, 1, 0),
    (1, 2, 1);

INSERT INTO pPaymentDetail (pdCompanyID, pdPaymentID, pdReimburseID) VALUES
    (1, 1, 2),
    (1, 2, 4);

-- Physical names of the demo's own, which the module finds through linktable.
ALTER TABLE pusers RENAME TO zq_pusers;
ALTER TABLE pemployee RENAME TO zq_pemployee;
ALTER TABLE pReimbursedetail RENAME TO zq_pReimbursedetail;
ALTER TABLE pReimburseHeader RENAME TO zq_pReimburseHeader;
ALTER TABLE ptables RENAME TO zq_ptables;
ALTER TABLE ptablecolumns RENAME TO zq_ptablecolumns;
ALTER TABLE puserrights RENAME TO zq_puserrights;
ALTER TABLE pSettings RENAME TO zq_pSettings;
ALTER TABLE pPrefix RENAME TO zq_pPrefix;
ALTER TABLE pcurrencymaster RENAME TO zq_pcurrencymaster;
ALTER TABLE preimbursementmaster RENAME TO zq_preimbursementmaster;
ALTER TABLE preimeligibilityheader RENAME TO zq_preimeligibilityheader;
ALTER TABLE preimeligibilitydetail RENAME TO zq_preimeligibilitydetail;

UPDATE linktable SET linktablename = 'zq_' || tablename;

-- A mapping of another module, which this one never selects.
INSERT INTO linktable (tablename, linktablename) VALUES ('ppayrollmaster', 'zq_ppayrollmaster');
