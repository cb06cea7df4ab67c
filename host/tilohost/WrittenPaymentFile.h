// A payment file read back after a run: its lines, their record types and
// the values the run wrote into them, so that what tilohost reports is what
// the file holds rather than what was asked for.
#pragma once

#include <string>
#include <vector>

struct WrittenPaymentFile
{
    // Fields of each line, the line's CR LF dropped.
    std::vector<std::vector<std::string>> lines;
    // PaymentFormat as the record types tell it; -1 when they do not (an
    // empty file, unknown or mixed record types).
    int format = -1;
    int headerLines = 0;
    int paymentLines = 0;
    // Lines of record type "03".
    int iatLines = 0;
    // The amount field of each payment line, as written.
    std::vector<std::string> amounts;
    // As written: DDMMYYYY, the template and the beneficiary reference;
    // empty when the format writes none.
    std::string processingDate;
    std::string templateName;
    std::string benRef;
};

// The lines of a payment file's bytes.
WrittenPaymentFile ParsePaymentFile(const std::string& bytes);

// The pence of an amount as the payment file writes it ("-12.34"); 0 for
// an empty or malformed field.
long long PenceOfWrittenAmount(const std::string& written);

// "DD/MM/YYYY" of a DDMMYYYY text; the text itself when it is not one.
std::string ShownProcessingDate(const std::string& written);
