// Arbitrary text into the mail address readers: a recipient list as typed, a cell of a
// workbook, one mailbox. No recipient or address they give may carry a control character
// into a header, and an address read out reads again as itself. The text is read once as it
// is and once repeated to some 64 KiB (by one reader in turn, as the input's length picks),
// where a reader whose time or memory grows faster than its input passes the fuzzer's time
// or memory limit.
#include "mailing/MailAddresses.h"
#include "mailing/PlainRecipient.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr qsizetype repeatedLength = 64 * 1024;

void checkAddress(const QString& address, const QString& from)
{
    if (address.isEmpty())
        return;
    if (address.size() > from.size() || hasControlCharacters(address) || mailboxAddress(address) != address)
        std::abort();
}

void readAsMailbox(const QString& text)
{
    checkAddress(mailboxAddress(text), text);
}

void readAsList(const QString& text)
{
    const RecipientList list = parseRecipients(text);
    for (const QString& recipient : list.recipients) {
        if (hasControlCharacters(recipient))
            std::abort(); // it would go into the To: header as it is
        const QString address = mailboxAddress(recipient);
        checkAddress(address, recipient);
        isPlainRecipient(recipient, address);
    }
    notAnAddressReason(list.notAnAddress);
}

void readAsCell(const QString& text)
{
    for (const QString& address : cellAddresses(text))
        checkAddress(address, text);
}

} // namespace

// A linear reader takes some 10 ms on the repeated text under the sanitizers, a quadratic one
// seconds: an input that takes longer than this is reported as a finding.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static char timeout[] = "-timeout=3";
    static std::vector<char*> arguments;
    arguments.assign(*argv, *argv + *argc);
    arguments.insert(arguments.begin() + 1, timeout); // later flags, the caller's, win
    arguments.push_back(nullptr);
    *argc = int(arguments.size() - 1);
    *argv = arguments.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    void (*const readers[])(const QString&) = { readAsMailbox, readAsList, readAsCell };
    for (const auto reader : readers)
        reader(text);
    if (text.isEmpty())
        return 0;
    readers[size % 3](text.repeated(int((repeatedLength + text.size() - 1) / text.size())));
    return 0;
}
