#pragma once

// Lists the factory's tearing support, every DXGI adapter and every output of each on the console.
void PrintAdapterReport();
