#pragma once

class Connection;

// Fills a database (schema and seed rows present) with a believable demo
// register: a client list, salesmen and departments, a contract-type and a
// client-type tree, and the given number of contracts with about ten receipts
// or payments and one execution record, reminder and change each on average.
// The same number always gives the same rows. Runs in one transaction; throws
// DbError on failure (nothing is kept then).
void FillDemoData(Connection& c, int contracts);
