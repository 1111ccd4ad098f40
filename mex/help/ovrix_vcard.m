% OVRIX_VCARD  Steer the virtual card: faults, journal, live events.
%   ovrix_vcard('reset')
%   ovrix_vcard('fail', OP, STATUS)
%   ovrix_vcard('fail', OP, STATUS, COUNT)
%   ovrix_vcard('clear_faults')
%   ovrix_vcard('fail_event', COUNT)
%   ovrix_vcard('journal', TF)
%   J = ovrix_vcard('journal')
%   ovrix_vcard('clear_journal')
%   N = ovrix_vcard('events')
%   N = ovrix_vcard('handles')
%   TF = ovrix_vcard('configured', INDEX)
%   ovrix_vcard('configured', INDEX, TF)
%   S = ovrix_vcard('cardinfo', INDEX)
%   S = ovrix_vcard('cardinfo', INDEX, FIELDS)
%   T = ovrix_vcard('status', CODE)
%   X = ovrix_vcard('peek', INDEX, OFFSET, N)
%   ovrix_vcard('poke', INDEX, OFFSET, BYTES)
%
%   The ovrix commands drive the virtual card, a software model of two
%   cards, unless ovrix was built against a real card library. This helper
%   is not one of the ovrix commands: it controls the model, so that you
%   can test how your own scripts handle the card's failures.
%
%   'reset'         back to the default cards: every handle closed, memory
%                   cleared, FPGAs unconfigured, clocks, faults and journal
%                   cleared.
%   'fail'          the next COUNT (default 1) calls of the card-library
%                   operation OP (a name such as 'ADMXRC2_Read',
%                   'ADMXRC2_DoDMAImmediate', 'ADMXRC2_OpenCard') return the
%                   status code STATUS and do nothing else.
%   'fail_event'    the next COUNT completion events cannot be made.
%   'journal'       with TF, switch the journal of card-library calls on or
%                   off (off by default); without, return it as a struct
%                   array with fields op, result, args (uint64, in parameter
%                   order; pointers as addresses), real (the frequency of
%                   ADMXRC2_SetClockRate) and text (a bitstream file name).
%                   The journal keeps the last 4096 calls.
%   'events'        completion events open now: 0 between commands.
%   'handles'       card handles open now.
%   'configured'    whether card INDEX has its FPGA configured; with TF,
%                   set it without loading a bitstream.
%   'cardinfo'      the card-information record of card INDEX as a struct
%                   (CardID, SerialNumber, BoardType, FPGAType, NumClock,
%                   NumDMAChannel, NumSpace, NumBank, LocalSize,
%                   BoardRevision, LogicRevision); with FIELDS, a struct of
%                   some of these, set them first.
%   'status'        the virtual card's text for a status code.
%   'peek', 'poke'  read or write the bytes of a card's local address space
%                   directly, without a handle or a configured FPGA. 'poke'
%                   writes every byte of BYTES as stored, so give it uint8
%                   values: uint8([1 2]) writes 2 bytes, [1 2] the 16 bytes
%                   of two doubles.
%
%   Status codes of the virtual card
%     1 Invalid card handle            10 Cannot open the bitstream file
%     2 No card with that identifier   11 The bitstream file is empty
%       or index                       12 Not a bitstream: no sync word ...
%     3 A required pointer is null     13 Clock frequency out of range
%     4 Too many open card handles     14 No such DMA channel
%     5 No such space, bank or clock   15 Invalid DMA direction
%     6 Invalid word width code        16 DMA mode word does not suit ...
%     7 Invalid transfer flags         17 Invalid completion event
%     8 Transfer lies outside the      18 Out of memory
%       local address space
%     9 The FPGA is not configured: load a bitstream first
%   Use ovrix_vcard('status', CODE) for the exact text.
%
%   Example: make the next read fail, and see what your script does
%     h = ovrix_init();
%     ovrix_vcard('configured', 0, true);
%     ovrix_vcard('fail', 'ADMXRC2_Read', 8);
%     try
%       ovrix_read32(h, 0, 4);
%     catch err
%       disp(err.message)   % ovrix_read32: Failed to read data: Transfer lies ...
%     end
%     ovrix_close(h);
%
%   See also ovrix, ovrix_init.
