#pragma once

#include "data/XmlStream.h"

// The same bytes as source, produced on a thread of its own a few blocks ahead of the reader,
// so that inflating a part overlaps parsing it. The thread starts at the first read and ends
// when the source does or the returned source is destroyed.
XmlStream::Source readAhead(XmlStream::Source source);
