// Resource identifiers of the component, shared by the resource script and
// the code.
#pragma once

// Strings
#define IDS_PROJNAME 100
#define IDS_PAYMENT_STATUS_FIRST 300
#define IDS_PAYMENT_STATUS_LAST 335
#define IDS_TOO_MANY_PAYMENTS 340
#define IDS_FORMAT_DESCRIPTION_FIRST 403

// Registrar scripts, one per class
#define IDR_BANK 101
#define IDR_BANKSERVICES 102
#define IDR_BANKPAYMENTSERVICE 103
#define IDR_BANKSTATEMENTSERVICE 104

// Dialog icon
#define IDI_DIALOG 200

// Payment processing dialog and its controls
#define IDD_PAYINFO 1001
#define IDC_NEXT_DATE_LABEL 2001
#define IDC_PROCESSING_DATE 2003
#define IDC_IAT_CHECK 2004
#define IDC_PAYMENT_LIST 2005
#define IDC_SET 2006
#define IDC_RESET 2007
#define IDC_IAT_EXPLANATION 2008
#define IDC_FORMAT_DESCRIPTION 2009
#define IDC_TEMPLATE_LABEL 2010
#define IDC_TEMPLATE 2011
#define IDC_FORMAT_GROUP 2012
#define IDC_FORMAT_STANDARD 2013
#define IDC_FORMAT_TEMPLATE 2014
#define IDC_FORMAT_BULK_LIST 2015
#define IDC_BENREF_LABEL 2016
#define IDC_BENREF 2017
#define IDC_FORMAT_AD_HOC 2018
