#pragma once

// Marks the calling thread as running a print operation for the scope's lifetime. While one
// is current, barcode pictures are made on a worker thread of their own (the print code's
// thread only waits), as the barcode painter's callers expect.
class PrintOperationScope
{
public:
    PrintOperationScope();
    ~PrintOperationScope();
    PrintOperationScope(const PrintOperationScope&) = delete;
    PrintOperationScope& operator=(const PrintOperationScope&) = delete;

    static bool isCurrent();

private:
    bool wasCurrent_;
};
