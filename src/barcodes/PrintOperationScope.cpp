#include "barcodes/PrintOperationScope.h"

namespace {

thread_local bool printOperationCurrent = false;

} // namespace

PrintOperationScope::PrintOperationScope()
    : wasCurrent_(printOperationCurrent)
{
    printOperationCurrent = true;
}

PrintOperationScope::~PrintOperationScope()
{
    printOperationCurrent = wasCurrent_;
}

bool PrintOperationScope::isCurrent()
{
    return printOperationCurrent;
}
