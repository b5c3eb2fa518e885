#pragma once

// The card lives in points; millimetres appear only where a person reads or types sizes.
float Points_to_MM_Convert(float points);
float MM_to_Points_Convert(float millimetres);
