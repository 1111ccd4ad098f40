% OVRIX_INIT  Open a card and return its handle.
%   H = ovrix_init()
%   H = ovrix_init(ID)
%   H = ovrix_init([], INDEX)
%
%   Opens a card through the card library and returns the handle that every
%   other ovrix command takes as its first input. With no input the card of
%   identifier 0 is opened; with ID, the card of that identifier; with an
%   empty first input and INDEX, the card in that place of the library's list
%   (0 is the first). Close the handle with ovrix_close when done.
%
%   Inputs
%     ID      card identifier, default 0.
%     INDEX   card index, counted from 0.
%   Both are read from their first element (any numeric, logical or char
%   class), truncated toward zero, low 32 bits kept. Empty, cell, struct and
%   sparse arrays are refused.
%
%   Output
%     H       1x1 uint32 card handle. Keep it as it is: the other commands read
%             the first 4 bytes of its data, so H or int32(H) work but
%             double(H) does not.
%
%   Failures (Octave shows each prefixed with "ovrix_init: ")
%     Too many output parameters
%     Too many input parameters
%     Specify either a card ID or and index
%       (two inputs given and the first is not empty)
%     card identifier (input 1) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     card index (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     Failed to open card with ID N: TEXT
%     Failed to open card with index N: TEXT
%   DESCRIPTION names what was given, e.g. "empty 0x0 double"; TEXT
%   is the card library's status text, e.g. "No card with that identifier or
%   index" or "Too many open card handles" on the virtual card.
%
%   The virtual card, used by default, has two cards: index 0 of identifier
%   0 (an xrc4sx) and index 1 of identifier 5 (an xrc5t1).
%
%   Example
%     h = ovrix_init();          % card of identifier 0
%     h2 = ovrix_init([], 1);    % second card, by index
%     ovrix_close(h2);
%     ovrix_close(h);
%
%   See also ovrix_close, ovrix_getinfo, ovrix_config, ovrix.
