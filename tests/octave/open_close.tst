## Opening and closing cards, as an Octave user does it.

%!shared missing
%! ovrix_vcard('reset');
%! missing = ovrix_vcard('status', 2);

%!test
%! h = ovrix_init();
%! assert(class(h), 'uint32');
%! assert(size(h), [1 1]);
%! assert(h != 0);
%! info = ovrix_getinfo(h);
%! assert(info, 0);               # the card of identifier 0
%! ovrix_close(h);
%! assert(ovrix_vcard('handles'), 0);

%!test
%! h = ovrix_init(5);             # by identifier
%! [id, serial] = ovrix_getinfo(h);
%! assert([id serial], [5 2002]);
%! g = ovrix_init([], 1);         # by index: the same card
%! assert(ovrix_getinfo(g), 5);
%! assert(g != h);
%! k = ovrix_init('', 0.9);       # an empty text is empty too; 0.9 is index 0
%! assert(ovrix_getinfo(k), 0);
%! ovrix_close(h); ovrix_close(g); ovrix_close(k);

%!test
%! ovrix_init();                  # no output asked for: ans holds the handle
%! assert(class(ans), 'uint32');
%! ovrix_close(ans);

%!test
%! assert(errmsg(@() ovrix_init(3)), ['ovrix_init: Failed to open card with ID 3: ' missing]);
%! assert(errmsg(@() ovrix_init([], 7)), ['ovrix_init: Failed to open card with index 7: ' missing]);
%! assert(errmsg(@() ovrix_init(3, 1)), 'ovrix_init: Specify either a card ID or and index');
%! assert(errmsg(@() ovrix_init(1, 2, 3)), 'ovrix_init: Too many input parameters');
%! assert(ovrix_vcard('handles'), 0);

%!test
%! [a, b] = deal(0);
%! try
%!   [a, b] = ovrix_init();
%! catch err
%!   assert(err.message, 'ovrix_init: Too many output parameters');
%! end
%! assert(ovrix_vcard('handles'), 0);

%!test
%! assert(errmsg(@() ovrix_init([], [])), ...
%!        'ovrix_init: card index (input 2) must be a number (a non-empty, full numeric, logical or char array); got empty 0x0 double');

%!test
%! h = ovrix_init();
%! ovrix_close(h);
%! ovrix_close(h);                # closing twice raises nothing
%! ovrix_close(uint32(123456));
%! assert(errmsg(@() ovrix_getinfo(h)), ['ovrix_getinfo: Failed to get card info: ' ovrix_vcard('status', 1)]);
%! assert(errmsg(@() ovrix_close()), 'ovrix_close: Incorrect number of input parameters');
%! assert(errmsg(@() ovrix_close(h, h)), 'ovrix_close: Incorrect number of input parameters');

%!test
%! ## The handle as int32 is the same handle; as a double it is not.
%! h = ovrix_init();
%! assert(ovrix_getinfo(int32(h)), 0);
%! assert(errmsg(@() ovrix_getinfo(double(h))), ['ovrix_getinfo: Failed to get card info: ' ovrix_vcard('status', 1)]);
%! assert(errmsg(@() ovrix_getinfo(int8(1))), ...
%!        'ovrix_getinfo: card handle (input 1) must be the uint32 value that ovrix_init returns (a full numeric array of at least 4 bytes); got 1x1 int8');
%! ovrix_close(h);
