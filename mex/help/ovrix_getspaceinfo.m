% OVRIX_GETSPACEINFO  Information on one space of the card's local bus.
%   LOCALBASE = ovrix_getspaceinfo(H)
%   LOCALBASE = ovrix_getspaceinfo(H, SPACE)
%   [LOCALBASE, LOCALSIZE, WIDTHMASK, FLAGS, BUSADDRESS] = ...
%       ovrix_getspaceinfo(H, SPACE)
%
%   Reads the space-information record of space SPACE and returns its
%   fields, as many as outputs are asked for (the first one always). The
%   card has NUMSPACE spaces (see ovrix_getinfo), numbered from 0. Needs no
%   configured FPGA.
%
%   Inputs
%     H           card handle: the 1x1 uint32 that ovrix_init returns, passed
%                 as returned (uint32, or int32 of the same value; not
%                 double(H)).
%     SPACE       space index, default 0. First element (any numeric,
%                 logical or char class), truncated toward zero, low 32 bits
%                 kept; empty, cell, struct and sparse arrays are refused.
%
%   Outputs, each a 1x1 uint32
%     LOCALBASE   where the space starts on the local bus.
%     LOCALSIZE   size of the space, bytes.
%     WIDTHMASK   word widths it takes: bit 0 8-bit, bit 1 16-bit, bit 2
%                 32-bit (7: all three).
%     FLAGS       1 prefetchable, 2 writable (both: 3).
%     BUSADDRESS  low 32 bits of its PCI bus address.
%
%   Failures (Octave shows each prefixed with "ovrix_getspaceinfo: ")
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     space index (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     Failed to get space N info: TEXT
%     Too many output parameters  (more than 5 outputs; checked after the
%                                  record has been read and the outputs made)
%   DESCRIPTION names what was given, e.g. "empty 0x0 double"; TEXT
%   is the card library's status text, e.g. "No such space, bank or clock on
%   this card" on the virtual card.
%
%   Example
%     h = ovrix_init();
%     [base, bytes, widths, flags] = ovrix_getspaceinfo(h, 1)
%     % on the virtual card: 33554432 (0x02000000), 16777216, 7, 2
%     ovrix_close(h);
%
%   See also ovrix_getinfo, ovrix_getbankinfo, ovrix.
