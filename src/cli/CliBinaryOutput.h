#pragma once

// Standard output takes bytes as they are from here on: CSV's CRLF line
// ends would become CR CR LF where the C library writes text with CRLF.
void StandardOutputAsBytes();
