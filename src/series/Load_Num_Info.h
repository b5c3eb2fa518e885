#pragma once

// The question asked before values are added to a series that already has some.
class Load_Num_Info
{
public:
    enum Answer
    {
        Append = 0, // keep the values and add the new ones after them
        Clear = 1, // empty the list first
        Cancelled = -1 // add nothing
    };
    static Answer ask();
};
