#include "support/PaymentRuns.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <stdio.h>

#include <stdexcept>

ScratchFolder::ScratchFolder()
{
    char folder[MAX_PATH];
    char path[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "run", 0, path))
        throw std::runtime_error("no scratch folder");
    DeleteFileA(path);
    if (!CreateDirectoryA(path, nullptr))
        throw std::runtime_error("no scratch folder");
    m_path = path;
}

ScratchFolder::~ScratchFolder()
{
    RemoveFolder(m_path);
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> LinesOf(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

namespace
{
FakePayment* AddPayment(FakePayments& payments, double amount, const wchar_t* sortCode, const wchar_t* number,
                        const wchar_t* name, const wchar_t* reference)
{
    FakePayment* payment = payments.Add();
    payment->amount = amount;
    payment->payerSortCode = L"20-00-00";
    payment->payerAccountNumber = L"87654321";
    payment->payeeSortCode = sortCode;
    payment->payeeAccountNumber = number;
    payment->payeeAccountName = name;
    payment->payeeReference = reference;
    payment->details = L"June";
    return payment;
}
}

void AddThreePayments(FakePayments& payments)
{
    AddPayment(payments, 125.5, L"40-11-22", L"12345678", L"Smith & Co", L"INV 778");
    AddPayment(payments, 42.0, L"30-90-12", L"55556666", L"O'Brien, Ltd.", L"INV 779")->payeeRollNumber =
        L"RN 12/345";
    AddPayment(payments, 7.05, L"20-11-33", L"11112222", L"Garden Supplies", L"");
}

void AddValidPayments(FakePayments& payments, int count)
{
    wchar_t sortCode[16];
    wchar_t number[16];
    wchar_t reference[32];
    for (int index = 0; index < count; ++index)
    {
        swprintf(sortCode, 16, L"40-%02d-%02d", index % 100, (index / 100) % 100);
        swprintf(number, 16, L"%08d", 10000000 + index);
        swprintf(reference, 32, L"INV-%d", index);
        AddPayment(payments, 10.0 + index, sortCode, number, L"Supplier & Sons", reference);
    }
}

std::vector<long> StatusCodes(const FakePayments& payments)
{
    std::vector<long> codes;
    for (const auto& payment : payments.payments)
        codes.push_back(payment->statusCode);
    return codes;
}

std::string SettingsFile()
{
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_APPDATA, FALSE);
    PathAppendA(path, "VORN\\Vorn EBanking");
    SHCreateDirectoryExA(nullptr, path, nullptr);
    PathAppendA(path, "BANKSERV.INI");
    return path;
}

std::string StoredSetting(const std::string& key)
{
    char value[512] = {};
    GetPrivateProfileStringA("MIGRATED", key.c_str(), "(missing)", value, sizeof value, SettingsFile().c_str());
    return value;
}

void RemoveStoredSetting(const std::string& key)
{
    WritePrivateProfileStringA("MIGRATED", key.c_str(), nullptr, SettingsFile().c_str());
}

std::string DayText(DATE date)
{
    SYSTEMTIME day = {};
    VariantTimeToSystemTime(date, &day);
    char text[16];
    snprintf(text, sizeof text, "%02d%02d%04d", day.wDay, day.wMonth, day.wYear);
    return text;
}

std::string FormatTestName(const testing::TestParamInfo<PaymentFormat>& info)
{
    switch (info.param)
    {
    case StandardDomestic: return "StandardDomestic";
    case TemplateDomestic: return "TemplateDomestic";
    case BulkList: return "BulkList";
    case AdHocBulk: return "AdHocBulk";
    }
    return std::to_string(info.index);
}
