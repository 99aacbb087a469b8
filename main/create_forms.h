// Creates the twelve windows of the run, the preparation window first.
#pragma once

void CreateForms();
