#pragma once

// The ADO option and type codes the program's windows pass and read, numbered as ADO numbers them.
namespace db {

enum CursorType { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockType {
  adLockReadOnly = 1,
  adLockPessimistic = 2,
  adLockOptimistic = 3,
  adLockBatchOptimistic = 4,
};
enum CommandType { adCmdText = 1, adCmdTable = 2, adCmdUnknown = 8 };
enum CursorLocation { adUseServer = 2, adUseClient = 3 };
enum AffectEnum { adAffectCurrent = 1, adAffectAll = 3 };
enum DataType {
  adEmpty = 0,
  adSmallInt = 2,
  adInteger = 3,
  adDouble = 5,
  adCurrency = 6,
  adDate = 7,
  adBoolean = 11,
  adVarWChar = 202,
  adLongVarWChar = 203,
  adLongVarBinary = 205,
};

}  // namespace db
