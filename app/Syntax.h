#pragma once

// Writes the syntax text to the console.
void PrintSyntax();
