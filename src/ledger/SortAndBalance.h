#pragma once
// The order-and-balance pass: puts the entries in date order in the chosen
// direction and rewrites every amount and running balance.

#include "ledger/BookOrder.h"
#include "ledger/LedgerGrid.h"
#include "platform/Errors.h"

namespace sorabel {

// The tie number that keeps equal dates in order has seven digits.
constexpr int kMaxEntries = 9'999'999;

class BookTooLargeError : public Error {
 public:
  BookTooLargeError();
};

// 1. The present direction: newest-first when the row text of row 2 is
//    greater than that of row N - 1 (byte order).
// 2. Keys: the key column's text followed by a seven-digit tie number (c when
//    oldest-first now, N - c when newest-first), compared ignoring case.
// 3./4. Rows move whole to their sorted places in the chosen direction.
// 5. In date order from the oldest: income and expense are rewritten as
//    amount texts and the balance is the running sum (kept in 64 bits).
// Step 5 starts at the first row (in balance order) written since the last
// pass in the same order: the rows before it are balanced already.
// An amount beyond 32 bits throws AmountError; rows before it in balance
// order stay balanced. More than kMaxEntries entries throw
// BookTooLargeError before anything changes.
void sortAndBalance(LedgerGrid& grid, int keyColumn, BookOrder order);

// Step 5 alone: amounts and running balances of the rows where they stand.
// Undo and redo put rows back exactly where they stood; sorting again could
// move them, since the direction test of step 1 can turn rows of equal date
// round on every pass.
void balanceRows(LedgerGrid& grid, BookOrder order);

}  // namespace sorabel
