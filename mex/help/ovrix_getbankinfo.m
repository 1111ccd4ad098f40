% OVRIX_GETBANKINFO  Information on one memory bank of the card.
%   TYPEMASK = ovrix_getbankinfo(H)
%   TYPEMASK = ovrix_getbankinfo(H, BANK)
%   [TYPEMASK, WIDTH, SIZE, FITTED] = ovrix_getbankinfo(H, BANK)
%
%   Reads the bank-information record of memory bank BANK and returns its
%   fields, as many as outputs are asked for (the first one always). The
%   card has NUMBANK banks (see ovrix_getinfo), numbered from 0. Needs no
%   configured FPGA.
%
%   Inputs
%     H         card handle: the 1x1 uint32 that ovrix_init returns, passed
%               as returned (uint32, or int32 of the same value; not
%               double(H)).
%     BANK      bank index, default 0. First element (any numeric, logical
%               or char class), truncated toward zero, low 32 bits kept;
%               empty, cell, struct and sparse arrays are refused.
%
%   Outputs, each a 1x1 uint32
%     TYPEMASK  kind of memory, one bit per kind.
%     WIDTH     data bits.
%     SIZE      size in KiB.
%     FITTED    1 when the bank is fitted, else 0.
%
%   Failures (Octave shows each prefixed with "ovrix_getbankinfo: ")
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     bank index (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     Failed to get bank N info: TEXT
%     Too many output parameters  (more than 4 outputs; checked after the
%                                  record has been read and the outputs made)
%   DESCRIPTION names what was given, e.g. "empty 0x0 double"; TEXT
%   is the card library's status text, e.g. "No such space, bank or clock on
%   this card" on the virtual card.
%
%   Example
%     h = ovrix_init();
%     [kind, width, kib, fitted] = ovrix_getbankinfo(h, 3)
%     % on the virtual card: 2, 32, 4096, 1
%     ovrix_close(h);
%
%   See also ovrix_getinfo, ovrix_getspaceinfo, ovrix.
