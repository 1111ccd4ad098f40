% OVRIX_SETCLOCKRATE  Set a programmable clock of the card.
%   F = ovrix_setclockrate(H, CLOCK, MHZ)
%
%   Asks the card library to set clock CLOCK to MHZ megahertz and returns
%   the frequency it obtained, in hertz. The obtained frequency is the
%   nearest the card's clock generator can make, so it may differ a little
%   from the one asked for. No configured FPGA is needed.
%
%   Inputs
%     H       card handle: the 1x1 uint32 that ovrix_init returns, passed as
%             returned (uint32, or int32 of the same value; not double(H)).
%     CLOCK   clock index, from 0 (the card's NumClock, see ovrix_getinfo,
%             says how many). First element, truncated toward zero, low 32
%             bits kept.
%     MHZ     frequency in MHz: first element as a double, not rounded
%             (fractions are kept).
%   Numbers may be of any numeric, logical or char class; empty, cell,
%   struct and sparse arrays are refused.
%
%   Output
%     F       1x1 double, the frequency obtained, in Hz (not MHz).
%
%   Failures (Octave shows each prefixed with "ovrix_setclockrate: ")
%     Too many output parameters
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     clock index (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     frequency (input 3) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     Failed to set clock N to X.XMHz: TEXT
%   DESCRIPTION names what was given, e.g. "empty 0x0 double"; TEXT
%   is the card library's status text, e.g. "Clock frequency out of range"
%   or "No such space, bank or clock on this card" on the virtual card.
%
%   The virtual card has clocks 0 and 1, from 1 to 500 MHz, made as
%   33.333333 MHz * M / N (M from 1 to 1023, N from 1 to 63).
%
%   Example
%     h = ovrix_init();
%     f = ovrix_setclockrate(h, 0, 100)    % 99999999 on the virtual card
%     ovrix_close(h);
%
%   See also ovrix_config, ovrix_getinfo, ovrix.
