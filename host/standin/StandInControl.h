/* Control of the stand-in e-banking host's components (VornHostStandIn.dll)
   for tests and the command-line host.

   The DLL serves two apartment-threaded classes through COM:
     CLSID_VornBankSettings           (IVornBankSettings)          "VornEBanking.BankSettings.1"
     CLSID_VornStatementFileSelector  (IVornStatementFileSelector) "VornBankReconciliation.StatementFileSelector.1"
   A program that links the DLL's import library shares the state below with
   the objects that COM creates in the same process, since COM loads the same
   registered DLL. Call these functions on the thread that uses the objects.

   Defaults (after load and after StandInReset):
     payment file defaults   name "payments", extension "csv", directory "C:\"
     operations              all succeed
     statement file choice   no path, status 1 (the user cancelled)
     call records            none
   Statement file settings: the settings component fills the 400-byte block
   as StandInStatementFileSettings with recognize = null, title
   StandInStatementFileTitle and filePattern StandInStatementFilePattern. */
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Operations whose outcome a test can force. */
enum StandInOperation
{
    StandInConfigureBank = 1,            /* IVornBankSettings, slot 7 */
    StandInGetStatementFileSettings = 2, /* IVornBankSettings, slot 8 */
    StandInGetPaymentFileDefaults = 3,   /* IVornBankSettings, slot 9 */
    StandInSelectStatementFile = 4,      /* IVornStatementFileSelector, slot 7 */
    StandInGetSelectedFile = 5,          /* IVornStatementFileSelector, slot 10 */
    StandInGetSelectionStatus = 6        /* IVornStatementFileSelector, slot 11 */
};

/* The stand-in's two classes. */
enum StandInClass
{
    StandInSettingsClass = 1,    /* CLSID_VornBankSettings */
    StandInFileSelectorClass = 2 /* CLSID_VornStatementFileSelector */
};

/* The recognition function that a bank component hands over in the first
   field of the statement file settings block. */
typedef int(__cdecl* StandInRecognizeFunction)(char* typeName, const char* path);

/* The 400-byte block of GetStatementFileSettings / SelectStatementFile. A
   64-bit build (only for testing where no 32-bit program runs) keeps the
   size: its wider address leaves less room for the pattern. */
#ifdef _WIN64
#define StandInFilePatternSize 256
#else
#define StandInFilePatternSize 264
#endif
typedef struct StandInStatementFileSettings
{
    StandInRecognizeFunction recognize;         /* the bank component writes it */
    char title[132];                            /* NUL-terminated */
    char filePattern[StandInFilePatternSize];   /* NUL-terminated */
} StandInStatementFileSettings;

#define StandInStatementFileTitle "Import Bank Statement"
#define StandInStatementFilePattern "*.csv"

/* Size of the type-name buffer that SelectStatementFile hands to the
   recognition function, zero-filled. */
#define StandInTypeNameSize 64

/* One call on the settings component, recorded as it arrives (also a call
   made to fail). */
typedef struct StandInSettingsCall
{
    int operation;         /* StandInConfigureBank .. StandInGetPaymentFileDefaults */
    char bankText[128];    /* the bank block's text up to its NUL, at most 127 characters */
    int bankBlockClean;    /* 1 when the text ends inside the block (1024 bytes for
                              ConfigureBank, 100 otherwise) and every later byte is 0 */
    long option;           /* ConfigureBank's option; 0 for the other operations */
} StandInSettingsCall;

/* What the last SelectStatementFile call did. */
typedef struct StandInSelectionRecord
{
    int selectCalls;                     /* SelectStatementFile calls since the last reset */
    int recognitionCalled;               /* 1 when the last call ran the recognition function */
    int recognitionAnswer;               /* its answer; 0 when not called */
    char typeName[StandInTypeNameSize + 1]; /* what it left in the type-name buffer */
} StandInSelectionRecord;

/* Everything back to the defaults above; classes removed by
   StandInUnregisterClass are registered again. */
void StandInReset(void);

/* What GetPaymentFileDefaults writes. Null reads as the empty text; texts
   are cut to fit the caller's buffers (extension: at most 3 characters). */
void StandInSetPaymentFileDefaults(const char* fileName, const char* extension, const char* directory);

/* From now on the operation returns `result` and posts error information
   (IErrorInfo with this description, source "VornHostStandIn", the
   operation's interface as GUID) instead of doing its work; the call is
   still recorded. A null description posts none: the thread's error
   information is left as it was, as many components leave it. A `result`
   that is not a failure (S_OK) ends the failing. Unknown operations are
   ignored. */
void StandInFailOperation(int operation, HRESULT result, const char* description);

/* Calls on the settings component since the last reset, in order. */
int StandInSettingsCallCount(void);
/* Copies call `index` (0 = first); 0 when there is no such call. */
int StandInGetSettingsCall(int index, StandInSettingsCall* call);

/* What the user chooses in the next SelectStatementFile calls: the path
   (any length; null = none) and the status (0 = a file chosen, anything else
   = cancelled). The recognition function runs on a non-empty path whatever
   the status; its answer does not change the choice. */
void StandInSetStatementFileChoice(const char* path, long status);
/* The same with the path as wide text, as the host's file dialog gives it
   (the recognition function gets its ANSI form). */
void StandInSetStatementFileChoiceW(const wchar_t* path, long status);

/* Copies the record of SelectStatementFile calls. */
void StandInGetSelectionRecord(StandInSelectionRecord* record);

/* Removes the class's registration (HKCR\CLSID\{class} and its ProgID), so
   that creating it fails (REGDB_E_CLASSNOTREG) and a bank component's use
   of it fails with E_POINTER. StandInRegisterClass, StandInReset or
   regsvr32 restore it. Both return S_OK or the registry's failure. */
HRESULT StandInUnregisterClass(int standInClass);
HRESULT StandInRegisterClass(int standInClass);

#ifdef __cplusplus
}
static_assert(sizeof(StandInStatementFileSettings) == 400, "statement file settings block");
#endif
