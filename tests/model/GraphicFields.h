#pragma once

#include "model/SKTGraphic.h"

// Gives every archived field of a card object a value unlike its default and unlike zero.
void fillEveryField(SKTGraphic& graphic);
// Expects two objects to agree in every archived field (gtest failures name the field).
void expectSameFields(const SKTGraphic& expected, const SKTGraphic& actual);
// Helpers shared by the model tests.
void expectSameFont(const std::optional<QFont>& expected, const std::optional<QFont>& actual, const char* field);
Picture testPicture();
