// Helpers of the payment run tests: a folder of scratch files, the batches
// handed over, the host's settings file read back, and the processing date
// as the payment file writes it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "com/PaymentTypes.h"
#include "objects/FakePayments.h"
#include "support/TemporaryFile.h"

// A new folder in the temporary folder, removed with everything in it (one
// level) when the object goes.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // The full path of a file in the folder.
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// A test over every format is named after the format: /StandardDomestic.
std::string FormatTestName(const testing::TestParamInfo<PaymentFormat>& info);

// Removes a folder and the files in it (one level).
void RemoveFolder(const std::string& folder);

bool FileExists(const std::string& path);
// The lines of a text, each without its CR LF.
std::vector<std::string> LinesOf(const std::string& bytes);

// The three payments of the format tests: all valid, from payer 20-00-00 /
// 87654321. The second has a roll number; the third no reference at all.
void AddThreePayments(FakePayments& payments);
// `count` valid payments.
void AddValidPayments(FakePayments& payments, int count);
// The status code of each payment, in order.
std::vector<long> StatusCodes(const FakePayments& payments);

// The host's settings file (BANKSERV.INI under the all-users application
// data folder), whose folder is made if missing.
std::string SettingsFile();
// A key's value in its section MIGRATED; "(missing)" when absent.
std::string StoredSetting(const std::string& key);
void RemoveStoredSetting(const std::string& key);

// DDMMYYYY.
std::string DayText(DATE date);
