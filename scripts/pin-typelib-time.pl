#!/usr/bin/perl
# widl writes the clock's time into a type library twice: in the text
# "Created by WIDL version V at TIME" and in the time stamp that follows it
# (a VT_UI4). With SOURCE_DATE_EPOCH set, both become that time, so that a
# type library, and the DLL that holds it, is the same in every build of one
# commit; without it the file is left as widl wrote it.
#   pin-typelib-time.pl FILE.tlb
use strict;
use warnings;

my $file = shift or die "usage: pin-typelib-time.pl FILE.tlb\n";
my $epoch = $ENV{SOURCE_DATE_EPOCH};
exit 0 unless defined $epoch && $epoch ne '';
die "pin-typelib-time: SOURCE_DATE_EPOCH is not a number: $epoch\n" unless $epoch =~ /^\d+$/;

open(my $in, '<:raw', $file) or die "pin-typelib-time: $file: $!\n";
my $data = do { local $/; <$in> };
close $in;

# The text has ctime's fixed width of 24 characters, so nothing moves.
my $time = scalar gmtime($epoch);
my $count = $data =~ s/(Created by WIDL version [^\n]* at ).{24}(\n\x57*\x13\x00)..../$1 . $time . $2 . pack("V", $epoch)/se;
die "pin-typelib-time: $file holds no time stamp of widl's\n" unless $count;

open(my $out, '>:raw', $file) or die "pin-typelib-time: $file: $!\n";
print $out $data;
close $out or die "pin-typelib-time: $file: $!\n";
